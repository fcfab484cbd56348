#include "shell/OptionsDraft.h"

#include "settings/TableRanges.h"

namespace orvex::shell {

OptionsDraft captureOptions(const settings::Settings& s) {
    OptionsDraft d;
    d.app = s.app;
    d.colours = s.colours;
    d.frame = s.frame;
    d.child = s.child;
    d.document = s.document;
    d.modes = s.editor.modes;
    d.options = s.editor.options;
    d.search = s.editor.search;
    d.keywords = s.editor.keywords;
    return d;
}

void clampOptions(OptionsDraft& d) {
    using namespace settings;
    clampToTable(appOptionsTable(), d.app);
    clampToTable(colourOptionsTable(), d.colours);
    clampToTable(frameOptionsTable(), d.frame);
    clampToTable(childOptionsTable(), d.child);
    clampToTable(documentOptionsTable(), d.document);
    for (ModeOptions& m : d.modes) {
        clampToTable(modeOptionsTable(), m);
        EditorProfile::applyDerivedRules(m, d.colours);
    }
    clampToTable(editorOptionsTable(), d.options);
    EditorProfile::applyDerivedRules(d.options);
    clampToTable(searchOptionsTable(), d.search);
}

void commitOptions(const OptionsDraft& draft, settings::Settings& s) {
    OptionsDraft d = draft;
    clampOptions(d);
    s.app = d.app;
    s.colours = d.colours;
    // The frame's own values stay as the frame has them now.
    settings::FrameOptions frame = d.frame;
    frame.windowPos = s.frame.windowPos;
    frame.floatTool1 = s.frame.floatTool1;
    frame.floatTool2 = s.frame.floatTool2;
    frame.fileWinPos = s.frame.fileWinPos;
    frame.fileWinPath = s.frame.fileWinPath;
    frame.fileWinFilter = s.frame.fileWinFilter;
    frame.progNo = s.frame.progNo;
    frame.teikeiTT = s.frame.teikeiTT;
    frame.favouriteFiles = s.frame.favouriteFiles;
    frame.oleClipBoad = s.frame.oleClipBoad;
    s.frame = std::move(frame);
    s.child = d.child;
    s.document = d.document;
    s.editor.modes = d.modes;
    s.editor.options = d.options;
    s.editor.search = d.search;
    s.editor.keywords = d.keywords;
}

}  // namespace orvex::shell
