#include "settings/OpenFileList.h"

namespace orvex::settings {

const SettingsTable<OpenFileEntry>& openFileEntryTable() {
    using E = OpenFileEntry;
    static const SettingsTable<E> table("OpenPathName", Numbering::Next, kOpenFileEntries, {
        strKey<&E::file>("File", "").with(kNotExported),
        intKey<&E::pos>("Pos", 0).with(kNotExported),
        intKey<&E::scrollX>("ScrollX", 0).with(kNotExported),
        intKey<&E::scrollY>("ScrollY", 0).with(kNotExported),
        placementKey<&E::place>("Place").with(kNotExported),
        intKey<&E::close>("Close", 1).with(kNotExported),
    });
    return table;
}

const SettingsTable<OpenFileList>& openFileListTable() {
    using L = OpenFileList;
    static const SettingsTable<L> table("OpenPathName", Numbering::Single, 1, {
        strKey<&L::dir>("Dir", "").with(kNotExported),
    });
    return table;
}

const SettingsTable<RecentFileList>& recentFileListTable() {
    using R = RecentFileList;
    static const SettingsTable<R> table("Recent File List", Numbering::Single, 1, {
        strKey<&R::files>("File%d", "").numbered(1, kRecentFileEntries).with(kNotExported),
    });
    return table;
}

}  // namespace orvex::settings
