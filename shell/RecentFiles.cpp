#include "shell/RecentFiles.h"

#include <algorithm>

namespace orvex::shell {

namespace {

bool isContinuation(char c) { return (uint8_t(c) & 0xC0) == 0x80; }

// Byte offsets of every character start of a UTF-8 string, and its end.
std::vector<size_t> characterStarts(const std::string& s) {
    std::vector<size_t> out;
    for (size_t i = 0; i < s.size(); ++i)
        if (!isContinuation(s[i])) out.push_back(i);
    out.push_back(s.size());
    return out;
}

}  // namespace

void addRecentFile(settings::RecentFileList& list, const std::string& path, int count) {
    if (path.empty()) return;
    auto& f = list.files;
    auto it = std::find(f.begin(), f.end(), path);
    if (it == f.end()) it = f.end() - 1;  // the oldest place falls off
    std::rotate(f.begin(), it, it + 1);
    f[0] = path;
    const size_t keep = size_t(std::clamp(count, 0, int(f.size())));
    for (size_t i = keep; i < f.size(); ++i) f[i].clear();
    if (keep == 0) f[0].clear();
}

void removeRecentFile(settings::RecentFileList& list, size_t i) {
    auto& f = list.files;
    if (i >= f.size()) return;
    std::rotate(f.begin() + ptrdiff_t(i), f.begin() + ptrdiff_t(i) + 1, f.end());
    f.back().clear();
}

void clearRecentFiles(settings::RecentFileList& list) {
    for (std::string& s : list.files) s.clear();
}

std::vector<std::string> shownRecentFiles(const settings::RecentFileList& list, int count) {
    std::vector<std::string> out;
    for (const std::string& s : list.files) {
        if (int(out.size()) >= count) break;
        if (!s.empty()) out.push_back(s);
    }
    return out;
}

bool addFavourite(FavouriteList& list, const std::string& path) {
    if (path.empty() || std::find(list.begin(), list.end(), path) != list.end()) return false;
    for (std::string& s : list)
        if (s.empty()) {
            s = path;
            return true;
        }
    return false;
}

bool removeFavourite(FavouriteList& list, size_t i) {
    if (i >= list.size() || list[i].empty()) return false;
    std::rotate(list.begin() + ptrdiff_t(i), list.begin() + ptrdiff_t(i) + 1, list.end());
    list.back().clear();
    return true;
}

std::string shortenedPath(const std::string& path, size_t maxChars) {
    const std::vector<size_t> starts = characterStarts(path);
    const size_t chars = starts.size() - 1;
    if (chars <= maxChars) return path;
    static constexpr size_t kDots = 3;
    if (maxChars <= kDots) return path.substr(starts[chars - maxChars]);
    // The end gets two thirds of the room (the file name matters most).
    const size_t room = maxChars - kDots;
    const size_t tail = std::max<size_t>(1, room * 2 / 3);
    const size_t head = room - tail;
    return path.substr(0, starts[head]) + "..." + path.substr(starts[chars - tail]);
}

std::string fileMenuLabel(int n, const std::string& path, size_t maxChars) {
    std::string key;
    if (n >= 1 && n <= 9) key = "&" + std::to_string(n);
    else if (n == 10) key = "1&0";
    else key = std::to_string(n);
    std::string shown;
    for (char c : shortenedPath(path, maxChars)) {
        shown.push_back(c);
        if (c == '&') shown.push_back('&');
    }
    return key + " " + shown;
}

}  // namespace orvex::shell
