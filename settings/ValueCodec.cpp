#include "settings/ValueCodec.h"

#include <cstdio>

#include "common/codepage/SjisWalk.h"

namespace orvex::settings::codec {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char escapeLetter(uint8_t b) {
    switch (b) {
        case '\\': return '\\';
        case '"': return '"';
        case '\r': return 'r';
        case '\n': return 'n';
        case '\t': return 't';
        case '\f': return 'f';
        default: return 0;
    }
}

// Builds escaped text while following, byte by byte, how unescapeString
// will split it into characters. The reader takes a lead byte and the byte
// after it as one character whenever that byte is a valid trail byte. A lone
// lead byte of the input would therefore swallow the first byte of a
// following two-byte unit (a double-byte character or an escape) and throw
// the reader out of step; such a lone lead byte is taken back before the
// unit is written. Every other byte reaches the reader unchanged.
class EscapeWriter {
public:
    explicit EscapeWriter(std::string& out) : m_out(out) {}

    // Appends a unit of 1 or 2 bytes; false when it does not fit.
    bool unit(const char* bytes, size_t n) {
        if (n == 2 && m_readerAwaitsTrail) {
            m_out.pop_back();
            m_readerAwaitsTrail = false;
        }
        if (m_out.size() + n > kMaxEscapedBytes) return false;
        for (size_t i = 0; i < n; ++i) push(static_cast<uint8_t>(bytes[i]));
        return true;
    }

private:
    void push(uint8_t b) {
        m_out.push_back(static_cast<char>(b));
        if (m_readerAwaitsTrail) {
            m_readerAwaitsTrail = false;
            if (isTrailByte(b)) return;  // the reader pairs it with the byte before
        }
        m_readerAwaitsTrail = sjis::awaitsTrail(b);
    }

    std::string& m_out;
    bool m_readerAwaitsTrail = false;
};

}  // namespace

std::string escapeString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    EscapeWriter w(out);
    for (size_t i = 0; i < text.size();) {
        const size_t n = charBytes(text, i);
        const auto b = static_cast<uint8_t>(text[i]);
        bool fits = true;
        if (n == 2) {
            fits = w.unit(text.data() + i, 2);
        } else if (char letter = escapeLetter(b)) {
            const char esc[2] = {'\\', letter};
            fits = w.unit(esc, 2);
        } else if (b >= 0x20) {
            fits = w.unit(text.data() + i, 1);
        }  // other controls are dropped
        if (!fits) break;
        i += n;
    }
    return out;
}

std::string quoteString(std::string_view text) {
    std::string out = "\"";
    out += escapeString(text);
    out += '"';
    return out;
}

std::string unescapeString(std::string_view s) {
    if (s.find('\\') == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const size_t n = charBytes(s, i);
        if (n == 2) {
            out.append(s.data() + i, 2);
            i += 2;
            continue;
        }
        if (s[i] != '\\') {
            out.push_back(s[i++]);
            continue;
        }
        if (i + 1 == s.size()) {  // a backslash at the very end stays
            out.push_back('\\');
            break;
        }
        const char c = s[i + 1];
        switch (c) {
            case 'r': out.push_back('\r'); break;
            case 'n': out.push_back('\n'); break;
            case 'f': out.push_back('\f'); break;
            case 't': out.push_back('\t'); break;
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            default: {
                // The backslash goes, the character after it stays whole.
                const size_t m = charBytes(s, i + 1);
                out.append(s.data() + i + 1, m);
                i += 1 + m;
                continue;
            }
        }
        i += 2;
    }
    return out;
}

std::string_view unquote(std::string_view raw) {
    if (raw.empty() || raw.front() != '"') return raw;
    if (raw.size() >= 2 && raw.back() == '"') return raw.substr(1, raw.size() - 2);
    return raw.substr(1);
}

std::string encodeBinary(const uint8_t* data, size_t size) {
    std::string out(size * 2, 'A');
    for (size_t i = 0; i < size; ++i) {
        out[2 * i] = static_cast<char>('A' + (data[i] & 0x0F));
        out[2 * i + 1] = static_cast<char>('A' + (data[i] >> 4));
    }
    return out;
}

std::optional<std::vector<uint8_t>> decodeBinary(std::string_view letters, size_t maxBytes) {
    if (letters.empty()) return std::nullopt;
    size_t n = letters.size() / 2;
    if (n > maxBytes) n = maxBytes;
    std::vector<uint8_t> out(n);
    for (size_t i = 0; i < n; ++i) {
        const unsigned lo = static_cast<unsigned char>(letters[2 * i]) - 'A';
        const unsigned hi = static_cast<unsigned char>(letters[2 * i + 1]) - 'A';
        if (lo > 15 || hi > 15) return std::nullopt;
        out[i] = static_cast<uint8_t>(lo | (hi << 4));
    }
    return out;
}

std::optional<int> parseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t digitsFrom = i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (i == digitsFrom) return std::nullopt;
    if (negative) {
        if (value > 0x80000000LL) return std::nullopt;
        value = -value;
    }
    return static_cast<int>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

std::string formatInt(int value) { return std::to_string(value); }

std::string formatPlacement(const WindowPlacement& p) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCmd, p.minX, p.minY, p.maxX, p.maxY,
                  p.left, p.top, p.right, p.bottom);
    return buf;
}

std::optional<WindowPlacement> parsePlacement(std::string_view text, ScreenSize screen) {
    int v[10];
    size_t pos = 0;
    for (int k = 0; k < 10; ++k) {
        if (k > 0) {
            while (pos < text.size() && isBlank(text[pos])) ++pos;
            if (pos >= text.size() || text[pos] != ',') return std::nullopt;
            ++pos;
        }
        const std::string_view rest = text.substr(pos);
        std::optional<int> n = parseInt(rest);
        if (!n) return std::nullopt;
        v[k] = *n;
        // Skip what parseInt consumed: blanks, sign, digits.
        while (pos < text.size() && isBlank(text[pos])) ++pos;
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    }
    WindowPlacement p;
    p.flags = static_cast<uint32_t>(v[0]);
    p.showCmd = static_cast<uint32_t>(v[1]);
    p.left = v[6];
    p.top = v[7];
    p.right = v[8];
    p.bottom = v[9];
    if (screen.width > 0 && p.left >= screen.width) return std::nullopt;
    if (screen.height > 0 && p.top >= screen.height) return std::nullopt;
    if (p.left >= p.right || p.top >= p.bottom) return std::nullopt;
    return p;  // minimized and maximized positions stay -1
}

}  // namespace orvex::settings::codec
