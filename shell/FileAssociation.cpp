#include "shell/FileAssociation.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/FileInfo.h"
#include "settings/AtomicFile.h"

extern char** environ;

namespace orvex::shell {

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool makeFolders(const std::string& folder) {
    if (folder.empty() || files::fileExists(folder)) return true;
    const size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash))) return false;
    return ::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

std::vector<std::string> splitList(const char* value, const char* fallback) {
    std::vector<std::string> out;
    std::string_view v = value && *value ? value : fallback;
    while (!v.empty()) {
        const size_t colon = v.find(':');
        const std::string_view piece = v.substr(0, colon);
        if (!piece.empty() && piece.front() == '/') out.emplace_back(piece);
        if (colon == std::string_view::npos) break;
        v.remove_prefix(colon + 1);
    }
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The value of `key` in section [Default Applications] of a mimeapps.list
// or defaults.list text; the first desktop id of its list.
std::string defaultIn(const std::string& text, std::string_view key) {
    std::istringstream in(text);
    std::string line;
    bool inDefaults = false;
    while (std::getline(in, line)) {
        const std::string_view l = trim(line);
        if (l.empty() || l.front() == '#') continue;
        if (l.front() == '[') {
            inDefaults = l == "[Default Applications]";
            continue;
        }
        if (!inDefaults) continue;
        const size_t eq = l.find('=');
        if (eq == std::string_view::npos || trim(l.substr(0, eq)) != key) continue;
        std::string_view value = trim(l.substr(eq + 1));
        const size_t semi = value.find(';');
        return std::string(trim(value.substr(0, semi)));
    }
    return {};
}

// Runs a program with its arguments (no shell) and waits for it, its output
// dropped. False when it could not be started or failed.
bool runQuietly(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The templates folder from user-dirs.dirs ("$HOME/..." allowed), else
// ~/Templates when it exists.
std::string templatesFolder(const std::string& configHome, const std::string& home) {
    std::istringstream in(readAll(configHome + "/user-dirs.dirs"));
    std::string line;
    while (std::getline(in, line)) {
        std::string_view l = trim(line);
        if (l.substr(0, 19) != "XDG_TEMPLATES_DIR=\"") continue;
        l.remove_prefix(19);
        if (!l.empty() && l.back() == '"') l.remove_suffix(1);
        std::string path(l);
        if (path.rfind("$HOME", 0) == 0) path = home + path.substr(5);
        // A templates folder set to the home folder itself means none.
        return path == home || path == home + "/" ? std::string() : path;
    }
    return files::fileExists(home + "/Templates") ? home + "/Templates" : std::string();
}

}  // namespace

std::vector<std::string> associationExtensions(std::string_view exts) {
    std::vector<std::string> out;
    while (!exts.empty()) {
        const size_t semi = exts.find(';');
        std::string_view piece = exts.substr(0, semi);
        while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t')) piece.remove_prefix(1);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t')) piece.remove_suffix(1);
        if (!piece.empty() && piece != ".") {
            std::string ext = piece.front() == '.' ? std::string(piece) : "." + std::string(piece);
            // A name with a folder or a glob in it is not an extension.
            if (ext.find_first_of("/*?[") == std::string::npos &&
                std::find(out.begin(), out.end(), ext) == out.end())
                out.push_back(std::move(ext));
        }
        if (semi == std::string_view::npos) break;
        exts.remove_prefix(semi + 1);
    }
    return out;
}

XdgFolders XdgFolders::fromEnvironment() {
    XdgFolders f;
    const char* home = std::getenv("HOME");
    const std::string h = home && *home ? home : "/";
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    f.dataHome = data && *data == '/' ? data : h + "/.local/share";
    f.configHome = config && *config == '/' ? config : h + "/.config";
    f.dataDirs = splitList(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share");
    f.configDirs = splitList(std::getenv("XDG_CONFIG_DIRS"), "/etc/xdg");
    f.templates = templatesFolder(f.configHome, h);
    return f;
}

std::string XdgAssociations::mimeTypeOf(std::string_view ext) const {
    const std::string wanted = "*" + std::string(ext);
    const std::string wantedLower = lower(wanted);
    std::vector<std::string> folders{m_folders.dataHome};
    folders.insert(folders.end(), m_folders.dataDirs.begin(), m_folders.dataDirs.end());
    std::string best;
    int bestWeight = -1;
    for (const std::string& folder : folders) {
        std::istringstream in(readAll(folder + "/mime/globs2"));
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line.front() == '#') continue;
            // weight:type:glob[:flags]
            const size_t a = line.find(':');
            const size_t b = a == std::string::npos ? a : line.find(':', a + 1);
            if (b == std::string::npos) continue;
            const size_t c = line.find(':', b + 1);
            const std::string glob = line.substr(b + 1, c == std::string::npos ? std::string::npos : c - b - 1);
            const bool caseSensitive = c != std::string::npos && line.find("cs", c) != std::string::npos;
            if (caseSensitive ? glob != wanted : lower(glob) != wantedLower) continue;
            const int weight = std::atoi(line.substr(0, a).c_str());
            if (weight > bestWeight) {
                bestWeight = weight;
                best = line.substr(a + 1, b - a - 1);
            }
        }
        // The user's database comes first: a type it gives wins.
        if (!best.empty() && folder == m_folders.dataHome) break;
    }
    return best;
}

std::string XdgAssociations::defaultHandler(std::string_view mime) const {
    std::vector<std::string> lists{m_folders.configHome + "/mimeapps.list"};
    for (const std::string& d : m_folders.configDirs) lists.push_back(d + "/mimeapps.list");
    lists.push_back(m_folders.dataHome + "/applications/mimeapps.list");
    for (const std::string& d : m_folders.dataDirs) {
        lists.push_back(d + "/applications/mimeapps.list");
        lists.push_back(d + "/applications/defaults.list");
    }
    for (const std::string& list : lists)
        if (std::string handler = defaultIn(readAll(list), mime); !handler.empty()) return handler;
    return {};
}

bool XdgAssociations::ensureDesktopEntry() const {
    if (files::fileExists(m_folders.dataHome + "/applications/" + kDesktopId)) return true;
    for (const std::string& d : m_folders.dataDirs)
        if (files::fileExists(d + "/applications/" + kDesktopId)) return true;
    const std::string folder = m_folders.dataHome + "/applications";
    if (!makeFolders(folder)) return false;
    const std::string entry = "[Desktop Entry]\nType=Application\nName=Orvex\nGenericName=Text Editor\n"
                              "GenericName[ja]=テキストエディタ\nExec=\"" + m_executable + "\" %F\nIcon=orvex\n"
                              "Terminal=false\nCategories=Utility;TextEditor;\nMimeType=text/plain;\n";
    return settings::writeFileAtomically(folder + "/" + kDesktopId, entry);
}

std::string XdgAssociations::ownType(std::string_view ext) {
    std::string name = lower(ext.substr(ext.empty() || ext.front() != '.' ? 0 : 1));
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '+')) c = '-';
    return "text/x-orvex-" + name;
}

std::vector<std::string> XdgAssociations::defineOwnTypes(const std::vector<std::string>& extensions) const {
    const std::string folder = m_folders.dataHome + "/mime";
    const std::string package = folder + "/packages/orvex-extensions.xml";
    std::vector<std::string> types;
    if (extensions.empty()) {
        if (files::fileExists(package) && ::unlink(package.c_str()) == 0) runQuietly({"update-mime-database", folder});
        return types;
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const std::string& ext : extensions) {
        types.push_back(ownType(ext));
        std::string glob;
        for (char c : "*" + ext) {
            if (c == '&') glob += "&amp;";
            else if (c == '<') glob += "&lt;";
            else if (c == '>') glob += "&gt;";
            else if (c == '"') glob += "&quot;";
            else glob += c;
        }
        xml += "  <mime-type type=\"" + types.back() + "\">\n    <sub-class-of type=\"text/plain\"/>\n"
               "    <comment>" + glob.substr(2) + " text</comment>\n    <glob pattern=\"" + glob + "\"/>\n  </mime-type>\n";
    }
    xml += "</mime-info>\n";
    if (!makeFolders(folder + "/packages") || !settings::writeFileAtomically(package, xml)) return {};
    // Without the tool the package waits for the next rebuild of the
    // database; the defaults below are written all the same.
    runQuietly({"update-mime-database", folder});
    return types;
}

bool XdgAssociations::setDefault(std::string_view mime) const {
    const std::string path = m_folders.configHome + "/mimeapps.list";
    const std::string old = readAll(path);
    const std::string entry = std::string(mime) + "=" + kDesktopId + ";";
    std::istringstream in(old);
    std::string line, out;
    bool inDefaults = false, sectionSeen = false, written = false;
    while (std::getline(in, line)) {
        const std::string_view l = trim(line);
        if (!l.empty() && l.front() == '[') {
            if (inDefaults && !written) {
                out += entry + "\n";
                written = true;
            }
            inDefaults = l == "[Default Applications]";
            sectionSeen |= inDefaults;
        } else if (inDefaults) {
            const size_t eq = l.find('=');
            if (eq != std::string_view::npos && trim(l.substr(0, eq)) == mime) {
                if (!written) out += entry + "\n";
                written = true;
                continue;
            }
        }
        out += line + "\n";
    }
    if (!written) {
        if (!sectionSeen) out += (out.empty() || out.back() == '\n' ? "" : "\n") + std::string("[Default Applications]\n");
        out += entry + "\n";
    }
    return makeFolders(m_folders.configHome) && settings::writeFileAtomically(path, out);
}

bool XdgAssociations::writeNewFileTemplate(std::string_view ext) const {
    if (m_folders.templates.empty() || ext.empty()) return true;
    const std::string path = m_folders.templates + "/新規テキスト" + std::string(ext);
    if (files::fileExists(path)) return true;
    return makeFolders(m_folders.templates) && settings::writeFileAtomically(path, std::string());
}

AssociationResult registerAssociations(const XdgAssociations& xdg, std::string_view exts, std::string_view newExt,
                                       const std::function<bool(const std::string&, const std::string&)>& takeOver) {
    AssociationResult result;
    const std::vector<std::string> extensions = associationExtensions(exts);
    if (!xdg.ensureDesktopEntry()) {
        result.failed = extensions;
        return result;
    }
    // Extensions the database lacks, and those that have a type of ours
    // from an earlier registration: the package is written with all of them.
    auto ownOrUnknown = [](const std::string& mime) { return mime.empty() || mime.rfind("text/x-orvex-", 0) == 0; };
    std::vector<std::string> own;
    for (const std::string& ext : extensions)
        if (ownOrUnknown(xdg.mimeTypeOf(ext))) own.push_back(ext);
    const std::vector<std::string> ownTypes = xdg.defineOwnTypes(own);
    for (const std::string& ext : extensions) {
        std::string mime;
        if (const auto it = std::find(own.begin(), own.end(), ext); it != own.end()) {
            // The database may not show a type defined just now.
            if (ownTypes.empty()) {
                result.failed.push_back(ext);
                continue;
            }
            mime = ownTypes[size_t(it - own.begin())];
        } else {
            mime = xdg.mimeTypeOf(ext);
        }
        const std::string handler = xdg.defaultHandler(mime);
        if (!handler.empty() && handler != XdgAssociations::kDesktopId && takeOver && !takeOver(ext, handler)) {
            result.declined.push_back(ext);
            continue;
        }
        if (xdg.setDefault(mime)) result.associated.push_back(ext);
        else result.failed.push_back(ext);
    }
    const std::vector<std::string> newOne = associationExtensions(newExt);
    if (!newOne.empty() && !xdg.writeNewFileTemplate(newOne.front())) result.failed.push_back(newOne.front());
    return result;
}

}  // namespace orvex::shell
