#include "search/FindInFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "common/codepage/SjisWalk.h"
#include "files/CharCode.h"
#include "files/TextDecoder.h"
#include "search/PatternMatcher.h"
#include "search/TagLine.h"

namespace orvex::search {

namespace {

constexpr size_t kHitsPerBatch = 32;
constexpr size_t kFilesPerPoll = 256;

constexpr bool isLineEnd(uint8_t b) { return b == '\r' || b == '\n' || b == '\f'; }

// Bytes of the line end at p (CR with the LFs after it, else one byte).
size_t lineEndLength(const uint8_t* p, const uint8_t* end) {
    if (*p != '\r') return 1;
    const uint8_t* q = p + 1;
    while (q < end && *q == '\n') ++q;
    return size_t(q - p);
}

const uint8_t* findLineEnd(const uint8_t* p, const uint8_t* end) {
    while (p < end && !isLineEnd(*p)) ++p;
    return p;
}

// A stretch of bytes every match of the pattern contains, when it is
// plain ASCII (so it stands as the same bytes in a Shift JIS, EUC, JIS or
// UTF-8 file before conversion). Empty when the pattern has none.
struct RawFilter {
    std::string bytes;  // folded to small letters when case is ignored
    bool foldCase = false;
    bool usable() const { return !bytes.empty(); }
};

RawFilter rawFilterOf(const CompiledPattern& pattern) {
    RawFilter f;
    const std::string* bytes = nullptr;
    if (!pattern.pieces().empty()) bytes = &pattern.pieces().front().bytes;
    else if (!pattern.needle().bytes.empty()) bytes = &pattern.needle().bytes;
    if (!bytes || bytes->empty()) return f;
    for (unsigned char b : *bytes)
        if (b >= 0x80 || b < 0x20) return f;
    f.bytes = *bytes;
    f.foldCase = !pattern.options().matchCase;
    if (f.foldCase)
        for (char& c : f.bytes) c = char(asciiLower(uint8_t(c)));
    return f;
}

bool rawContains(const RawFilter& f, const uint8_t* data, size_t len) {
    const size_t n = f.bytes.size();
    if (len < n) return false;
    const auto* needle = reinterpret_cast<const uint8_t*>(f.bytes.data());
    if (!f.foldCase) return memmem(data, len, needle, n) != nullptr;
    const uint8_t first = needle[0];
    const uint8_t other = isAsciiLetter(first) ? uint8_t(first & ~0x20) : first;
    const uint8_t* end = data + len - n + 1;
    for (const uint8_t* p = data; p < end;) {
        const auto* a = static_cast<const uint8_t*>(memchr(p, first, size_t(end - p)));
        const auto* b = other != first ? static_cast<const uint8_t*>(memchr(p, other, size_t(end - p))) : nullptr;
        const uint8_t* c = !a ? b : !b ? a : std::min(a, b);
        if (!c) return false;
        size_t k = 1;
        while (k < n && asciiLower(c[k]) == needle[k]) ++k;
        if (k == n) return true;
        p = c + 1;
    }
    return false;
}

class Searcher {
public:
    Searcher(const CompiledPattern& pattern, const FindInFilesRequest& request, FindInFilesSink& sink)
        : m_pattern(pattern), m_request(request), m_sink(sink), m_filter(rawFilterOf(pattern)) {}

    bool stopped() const { return m_result.stopped; }
    FindInFilesResult finish() {
        flush();
        return m_result;
    }

    void searchFile(const std::string& path) {
        if (m_result.stopped) return;
        if (++m_filesSincePoll >= kFilesPerPoll) {
            m_filesSincePoll = 0;
            if (!m_sink.keepGoing()) {
                m_result.stopped = true;
                return;
            }
        }
        if (!read(path)) {
            m_sink.cannotOpen(path);
            return;
        }
        ++m_result.filesSearched;
        uint8_t* data = m_buffer.get();
        const bool maybeUnicode16 =
            m_len >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
        // Most files of a tree hold no hit: a plain ASCII piece of the
        // pattern missing from the raw bytes rules the file out before its
        // conversion.
        if (m_filter.usable() && !maybeUnicode16 && m_request.readSetting == files::kReadDetect &&
            !rawContains(m_filter, data, m_len))
            return;
        size_t len = m_len;
        files::PreparedText prep = files::prepareFileText(data, len, m_request.readSetting);
        if (prep.hasNul) {
            ++m_result.filesSkipped;
            return;
        }
        const files::ConvertResult conv = files::convertText(data, len, prep, m_request.readSetting);
        searchLines(std::string_view(reinterpret_cast<const char*>(data), conv.length), path);
    }

    // Hits of one converted text, written under `path`.
    void searchLines(std::string_view text, std::string_view path) {
        if (m_pattern.lineEnds() > 0) return;  // lines are searched one by one
        const auto* data = reinterpret_cast<const uint8_t*>(text.data());
        const auto len = int32_t(std::min<size_t>(text.size(), INT32_MAX));
        const uint8_t* end = data + len;
        PatternMatcher matcher(m_pattern, Subject{data, len});
        SearchRange range{0, len, {}, {}};
        int32_t from = 0;
        int64_t lineNo = 1;
        const uint8_t* counted = data;  // line ends before it are in lineNo
        std::string shownPath;  // made at the first hit
        while (from <= len && !m_result.stopped) {
            const Match m = matcher.findFirst(range, from, len);
            if (!m.found()) break;
            // The line that holds the match: count the line ends before it.
            const uint8_t* at = data + m.offset;
            const uint8_t* lineStart = counted;
            for (const uint8_t* p = counted; p < at;) {
                if (isLineEnd(*p)) {
                    p += lineEndLength(p, end);
                    ++lineNo;
                    lineStart = p;
                } else {
                    ++p;
                }
            }
            if (lineStart > at) lineStart = at;  // a match at a line end's LF cannot start a line
            const uint8_t* lineEnd = findLineEnd(at, end);
            size_t shown = size_t(lineEnd - lineStart);
            if (shown > m_request.maxLineText) {
                const size_t cut = sjis::charStartFrom(lineStart, 0, m_request.maxLineText);
                shown = cut;
            }
            if (shownPath.empty()) shownPath = pathAsText(path);
            appendTagLine(m_pending, shownPath, lineNo,
                          std::string_view(reinterpret_cast<const char*>(lineStart), shown));
            ++m_result.hits;
            if (++m_batch >= kHitsPerBatch) {
                flush();
                if (!m_sink.keepGoing()) m_result.stopped = true;
            }
            if (m_request.onlyOnePerFile || lineEnd >= end) break;
            const uint8_t* next = lineEnd + lineEndLength(lineEnd, end);
            ++lineNo;
            counted = next;
            from = int32_t(next - data);
        }
    }

    void flush() {
        m_batch = 0;
        if (m_pending.empty()) return;
        m_sink.write(m_pending);
        m_pending.clear();
    }

    FindInFilesResult& result() { return m_result; }

private:
    // Reads a regular file whole into the buffer (one byte of room after
    // it). A file that grows while it is read is read to its end.
    bool read(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) return false;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return false;
        }
        size_t want = size_t(st.st_size) + 1;
        reserve(want + 1);
        m_len = 0;
        for (;;) {
            if (m_len + 1 >= m_capacity) reserve(m_capacity * 2);
            const ssize_t n = ::read(fd, m_buffer.get() + m_len, m_capacity - 1 - m_len);
            if (n < 0) {
                if (errno == EINTR) continue;
                ::close(fd);
                return false;
            }
            if (n == 0) break;
            m_len += size_t(n);
        }
        ::close(fd);
        m_buffer[m_len] = 0;
        return true;
    }

    void reserve(size_t n) {
        if (n <= m_capacity) return;
        size_t cap = std::max<size_t>(m_capacity, 1 << 16);
        while (cap < n) cap *= 2;
        auto fresh = std::make_unique_for_overwrite<uint8_t[]>(cap);
        if (m_len) std::memcpy(fresh.get(), m_buffer.get(), m_len);
        m_buffer = std::move(fresh);
        m_capacity = cap;
    }

    const CompiledPattern& m_pattern;
    const FindInFilesRequest& m_request;
    FindInFilesSink& m_sink;
    RawFilter m_filter;
    FindInFilesResult m_result;
    std::string m_pending;
    size_t m_batch = 0;
    size_t m_filesSincePoll = 0;
    std::unique_ptr<uint8_t[]> m_buffer;
    size_t m_capacity = 0, m_len = 0;
};

std::string joinFolder(const std::string& folder, std::string_view name) {
    std::string out = folder;
    if (out.empty() || out.back() != '/') out += '/';
    out.append(name);
    return out;
}

struct Entries {
    std::vector<std::string> files, folders;
};

// The files and folders of one folder, each in name order; false when the
// folder cannot be opened.
bool listFolder(const std::string& folder, Entries& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    const int dfd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(dfd, e->d_name, &st, 0) != 0) continue;  // a dangling link
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR) out.folders.emplace_back(name);
        else if (type == DT_REG) out.files.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(out.files.begin(), out.files.end());
    std::sort(out.folders.begin(), out.folders.end());
    return true;
}

// One filter pattern over the tree: depth first, a folder's files before
// its subfolders. False when the top folder cannot be opened.
bool walk(Searcher& searcher, const std::string& top, std::string_view pattern, bool subFolders) {
    std::set<std::pair<dev_t, ino_t>> entered;
    auto enter = [&](const std::string& folder) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return false;
        return entered.insert({st.st_dev, st.st_ino}).second;
    };
    std::vector<std::string> stack;  // folders still to walk, the next last
    enter(top);
    stack.push_back(top);
    bool first = true;
    while (!stack.empty() && !searcher.stopped()) {
        const std::string folder = std::move(stack.back());
        stack.pop_back();
        Entries entries;
        if (!listFolder(folder, entries)) {
            if (first) return false;
            continue;
        }
        first = false;
        for (const std::string& name : entries.files) {
            if (searcher.stopped()) break;
            if (wildcardMatch(pattern, name)) searcher.searchFile(joinFolder(folder, name));
        }
        if (!subFolders) break;
        for (auto it = entries.folders.rbegin(); it != entries.folders.rend(); ++it) {
            std::string sub = joinFolder(folder, *it);
            if (enter(sub)) stack.push_back(std::move(sub));
        }
    }
    return true;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") return true;
    // Iterative match with one back-tracking point for the last "*".
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

size_t searchText(const CompiledPattern& pattern, std::string_view text, std::string_view path, bool onlyOne,
                  size_t maxLineText, std::string& out) {
    struct Collect final : FindInFilesSink {
        std::string* out;
        void write(std::string_view lines) override { out->append(lines); }
    } sink;
    sink.out = &out;
    FindInFilesRequest request;
    request.onlyOnePerFile = onlyOne;
    request.maxLineText = maxLineText;
    Searcher searcher(pattern, request, sink);
    searcher.searchLines(text, path);
    return searcher.finish().hits;
}

FindInFilesResult findInFiles(const CompiledPattern& pattern, const FindInFilesRequest& request, FindInFilesSink& sink) {
    Searcher searcher(pattern, request, sink);
    if (!pattern.valid()) return searcher.finish();
    if (request.useFiles) {
        for (const std::string& f : request.files) searcher.searchFile(f);
        return searcher.finish();
    }
    std::string_view filter = request.filter;
    while (!searcher.stopped()) {
        const size_t cut = filter.find(';');
        const std::string_view one = trimBlanks(filter.substr(0, cut));
        if (one.empty()) break;
        if (!walk(searcher, request.folder, one, request.subFolders)) {
            searcher.result().folderMissing = true;
            break;
        }
        if (cut == std::string_view::npos) break;
        filter.remove_prefix(cut + 1);
    }
    return searcher.finish();
}

}  // namespace orvex::search
