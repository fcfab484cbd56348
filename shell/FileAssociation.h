#pragma once
// Associating file extensions with the editor on a freedesktop desktop:
// the extension's MIME type is looked up in the shared MIME database
// (globs2); an extension it does not know gets a type of the editor's own
// (a package in the user's mime folder); the user's mimeapps.list then
// names the editor's desktop entry as the type's default application. The
// "new file" extension gets an empty template in the user's templates
// folder, which file managers offer under "new document".
//
// Nothing here asks the user: registerAssociations() takes the question
// of an extension another application holds as a callback.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::shell {

// The extensions of an "Exts" list: separated by ";", blanks and tabs
// before each skipped, a missing leading "." added, empty pieces and
// repeats dropped.
std::vector<std::string> associationExtensions(std::string_view exts);

struct XdgFolders {
    std::string dataHome;    // ~/.local/share
    std::string configHome;  // ~/.config
    std::vector<std::string> dataDirs;    // /usr/local/share, /usr/share
    std::vector<std::string> configDirs;  // /etc/xdg
    std::string templates;   // the user's templates folder; empty when there is none
    // From XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_DATA_DIRS, XDG_CONFIG_DIRS,
    // HOME and user-dirs.dirs; unset or relative values fall back to
    // ~/.local/share, ~/.config, /usr/local/share:/usr/share and /etc/xdg.
    static XdgFolders fromEnvironment();
};

class XdgAssociations {
public:
    static constexpr const char* kDesktopId = "orvex.desktop";

    XdgAssociations(XdgFolders folders, std::string executable)
        : m_folders(std::move(folders)), m_executable(std::move(executable)) {}

    // The MIME type the database gives names ending in ext (the heaviest
    // glob "*<ext>", letter case ignored unless the glob says otherwise);
    // empty when none.
    std::string mimeTypeOf(std::string_view ext) const;
    // The desktop entry that opens `mime` by default now (the user's
    // mimeapps.list first, then the system's lists); empty when none.
    std::string defaultHandler(std::string_view mime) const;

    // A desktop entry named kDesktopId that starts this program, written
    // into the user's applications folder unless one is installed.
    bool ensureDesktopEntry() const;
    // The editor's own MIME types for extensions the database lacks: the
    // package "orvex-extensions.xml" in the user's mime folder, rewritten
    // with these extensions (none removes it), then the database rebuilt.
    // Returns the type of each extension ("text/x-orvex-<ext>").
    std::vector<std::string> defineOwnTypes(const std::vector<std::string>& extensions) const;
    static std::string ownType(std::string_view ext);
    // Makes the editor the default application of `mime` in the user's
    // mimeapps.list (other lines kept). False when it cannot be written.
    bool setDefault(std::string_view mime) const;
    // An empty "新規テキスト<ext>" in the templates folder (nothing when
    // there is no templates folder). False when it cannot be written.
    bool writeNewFileTemplate(std::string_view ext) const;

    const XdgFolders& folders() const { return m_folders; }

private:
    XdgFolders m_folders;
    std::string m_executable;
};

struct AssociationResult {
    std::vector<std::string> associated;  // extensions now opened by the editor
    std::vector<std::string> declined;    // held by another application and kept
    std::vector<std::string> failed;      // could not be written
};

// Associates each extension of `exts` (asking `takeOver(ext, handler)`
// whether an extension another application opens is taken over; false
// keeps it with that application), then writes the template for `newExt`.
AssociationResult registerAssociations(const XdgAssociations& xdg, std::string_view exts, std::string_view newExt,
                                       const std::function<bool(const std::string& ext, const std::string& handler)>& takeOver);

}  // namespace orvex::shell
