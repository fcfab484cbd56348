#include "files/SaveNames.h"

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"

namespace orvex::files {

namespace {

constexpr size_t kFirstLineMax = 196;
constexpr size_t kFirstWordMax = 32;

inline const uint8_t* bytesOf(std::string_view s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// A lead byte takes the byte after it unless that byte ends the line.
inline size_t charLengthAt(const uint8_t* p, size_t i, size_t n) {
    return size_t(sjis::stepWithin(p + i, ptrdiff_t(n - i)));
}

inline bool isFullWidthBlank(const uint8_t* p, size_t i, size_t n) {
    return i + 1 < n && p[i] == 0x81 && p[i + 1] == 0x40;
}

// The kinds a first word is made of; 0 is none.
int wordKind(const uint8_t* p, size_t i, size_t n) {
    const uint8_t b = p[i];
    if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_') return 1;
    if (sjis::isHalfWidthKana(b)) return 2;
    if (charLengthAt(p, i, n) == 2 && !isFullWidthBlank(p, i, n)) return 3;
    return 0;
}

}  // namespace

std::string firstLineName(std::string_view sjis) {
    const uint8_t* p = bytesOf(sjis);
    const size_t n = sjis.size();
    size_t i = 0;
    while (i < n) {
        if (p[i] == ' ' || p[i] == '\t') ++i;
        else if (isFullWidthBlank(p, i, n)) i += 2;
        else break;
    }
    const size_t start = i;
    while (i < n) {
        const uint8_t b = p[i];
        if (b < 0x20 || b == 0x7F || (sjis::kByteClass[b] & sjis::kClassFileDelim)) break;
        const size_t len = charLengthAt(p, i, n);
        if (i + len - start > kFirstLineMax) break;
        i += len;
    }
    return std::string(sjis.substr(start, i - start));
}

std::string firstWordName(std::string_view sjis) {
    const uint8_t* p = bytesOf(sjis);
    const size_t n = sjis.size();
    size_t i = 0;
    int kind = 0;
    while (i < n && (kind = wordKind(p, i, n)) == 0) i += charLengthAt(p, i, n);
    const size_t start = i;
    while (i < n && wordKind(p, i, n) == kind) {
        const size_t len = charLengthAt(p, i, n);
        if (i + len - start > kFirstWordMax) break;
        i += len;
    }
    return std::string(sjis.substr(start, i - start));
}

std::string defaultSaveName(int saveDefName, std::string_view sjis, const std::tm& now) {
    if (saveDefName == kDefNameFirstLine) return cp932::toUtf8(firstLineName(sjis));
    if (saveDefName == kDefNameFirstWord) return cp932::toUtf8(firstWordName(sjis));
    char stamp[16];
    const char* format = saveDefName == kDefNameDate ? "%y%m%d" : "%m%d";
    if (std::strftime(stamp, sizeof stamp, format, &now) == 0) return {};
    return stamp;
}

std::string cutDubiousName(std::string_view name, bool isTitle) {
    const size_t cut = name.find_first_of(isTitle ? std::string_view(" #%;/\\") : std::string_view("#%;/\\"));
    return std::string(name.substr(0, cut));
}

std::string withDefaultExtension(std::string_view name, bool tagFile, std::string_view defaultExtension) {
    std::string out(name);
    if (out.empty() || out.find('.') != std::string::npos) return out;
    if (tagFile) return out + ".tag";
    if (defaultExtension.empty()) return out;
    if (defaultExtension.front() != '.') out.push_back('.');
    out.append(defaultExtension);
    return out;
}

}  // namespace orvex::files
