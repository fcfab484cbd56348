#pragma once
// The trash of Linux desktops, as the freedesktop.org trash layout defines
// it: a "files" folder holding the trashed files and an "info" folder with
// one "<name>.trashinfo" per file (its original path, percent-encoded, and
// the deletion time), in the user's home trash ($XDG_DATA_HOME/Trash) for
// files on the same file system, else in the trash at the top of the file
// system the file lives on ($topdir/.Trash/$uid when the administrator made
// that sticky folder, else $topdir/.Trash-$uid). Files are only renamed,
// never copied between file systems.
#include <ctime>
#include <string>

#include "files/Trash.h"

namespace orvex::files {

class FreedesktopTrash final : public Trash {
public:
    // `dataHome` replaces $XDG_DATA_HOME (default ~/.local/share) when not
    // empty.
    explicit FreedesktopTrash(std::string dataHome = {});

    FileError moveToTrash(const std::string& path) override;

    // The home trash folder used.
    std::string homeTrash() const;

    // Percent-encoding of a path for the info file's "Path=" key.
    static std::string encodePath(const std::string& path);
    // The contents of an info file.
    static std::string infoText(const std::string& encodedPath, const std::tm& localDeletionTime);

private:
    FileError moveInto(const std::string& trash, const std::string& path, const std::string& infoPath);

    std::string m_dataHome;
};

}  // namespace orvex::files
