#include "settings/ProfileFile.h"

#include "settings/ValueCodec.h"

namespace orvex::settings {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Name of a section header line, or nullopt when the line is not a header.
// The name runs to the first "]" that is not the trail byte of a
// double-byte character. A line without that "]" is not a header: a
// damaged line inside a section must not hide the keys after it.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    size_t i = 0;
    while (i < line.size() && line[i] != ']') i += codec::charBytes(line, i);
    if (i >= line.size()) return std::nullopt;
    return trim(line.substr(0, i));
}

const char* eolBytes(uint8_t eol) {
    switch (eol) {
        case 1: return "\r\n";
        case 2: return "\n";
        case 3: return "\r";
        default: return "";
    }
}

}  // namespace

std::string ProfileFile::foldCase(std::string_view name) {
    std::string out(name);
    for (size_t i = 0; i < out.size();) {
        const size_t n = codec::charBytes(out, i);
        if (n == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
        i += n;
    }
    return out;
}

namespace {

// The byte of a name as its lookup form has it.
inline unsigned char foldByte(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

}  // namespace

bool ProfileFile::sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        const size_t n = codec::charBytes(a, i);
        if (n == 2) {
            // A double-byte character matches only itself, and b must split
            // at the same place.
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (foldByte(static_cast<unsigned char>(a[i])) != foldByte(static_cast<unsigned char>(b[i]))) {
            return false;
        }
        i += n;
    }
    return true;
}

size_t ProfileFile::hashName(std::string_view name) {
    // FNV-1a over the lookup form. Names are nearly always ASCII; bytes
    // from 0x80 on need the walk by characters.
    uint64_t h = 1469598103934665603ull;
    size_t ascii = 0;
    while (ascii < name.size() && static_cast<unsigned char>(name[ascii]) < 0x80) {
        h = (h ^ foldByte(static_cast<unsigned char>(name[ascii]))) * 1099511628211ull;
        ++ascii;
    }
    for (size_t i = ascii; i < name.size();) {
        const size_t n = codec::charBytes(name, i);
        for (size_t k = 0; k < n; ++k) {
            const auto c = static_cast<unsigned char>(name[i + k]);
            h = (h ^ (n == 1 ? foldByte(c) : c)) * 1099511628211ull;
        }
        i += n;
    }
    return static_cast<size_t>(h);
}

std::optional<std::string_view> ProfileFile::keyOfLine(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    const size_t eq = t.find('=');  // "=" is never a trail byte
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view key = trim(t.substr(0, eq));
    if (key.empty()) return std::nullopt;
    return key;
}

void ProfileFile::indexSection(Section& s) {
    s.keys.clear();
    s.lastKeyLine = 0;
    for (size_t i = s.hasHeader ? 1 : 0; i < s.lines.size(); ++i) {
        if (std::optional<std::string_view> key = keyOfLine(s.lines[i].text)) {
            s.keys.emplace(std::string(*key), i);  // the first occurrence stays
            s.lastKeyLine = i;
        }
    }
}

ProfileFile ProfileFile::parse(std::string_view bytes) {
    ProfileFile f;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        f.m_bom = "\xEF\xBB\xBF";
        bytes.remove_prefix(3);
    }
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        Line line{std::string(bytes.substr(pos, end - pos)), Eol::None};
        pos = end;
        if (pos < bytes.size()) {
            if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
                line.eol = Eol::CrLf;
                pos += 2;
            } else {
                line.eol = bytes[pos] == '\r' ? Eol::Cr : Eol::Lf;
                ++pos;
            }
        }
        if (std::optional<std::string_view> name = headerName(line.text)) {
            Section s;
            s.hasHeader = true;
            f.m_sectionIndex.emplace(std::string(*name), f.m_sections.size());
            s.lines.push_back(std::move(line));
            f.m_sections.push_back(std::move(s));
            continue;
        }
        if (f.m_sections.empty()) f.m_sections.emplace_back();  // lines before any header
        f.m_sections.back().lines.push_back(std::move(line));
    }
    for (Section& s : f.m_sections) f.indexSection(s);
    return f;
}

std::string ProfileFile::serialize() const {
    size_t total = m_bom.size();
    for (const Section& s : m_sections)
        for (const Line& l : s.lines) total += l.text.size() + 2;
    std::string out;
    out.reserve(total);
    out += m_bom;
    for (const Section& s : m_sections)
        for (const Line& l : s.lines) {
            out += l.text;
            out += eolBytes(static_cast<uint8_t>(l.eol));
        }
    return out;
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view section) const {
    auto it = m_sectionIndex.find(section);
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

bool ProfileFile::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

std::optional<std::string_view> ProfileFile::get(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    auto it = s->keys.find(key);
    if (it == s->keys.end()) return std::nullopt;
    const std::string_view line = s->lines[it->second].text;
    return trim(line.substr(line.find('=') + 1));
}

void ProfileFile::endLastLine() {
    if (m_sections.empty() || m_sections.back().lines.empty()) return;
    Line& last = m_sections.back().lines.back();
    if (last.eol == Eol::None) last.eol = Eol::CrLf;
}

void ProfileFile::set(std::string_view section, std::string_view key, std::string_view rawValue) {
    std::string text;
    text.reserve(key.size() + 1 + rawValue.size());
    text.append(key).append("=").append(rawValue);

    auto sit = m_sectionIndex.find(section);
    if (sit == m_sectionIndex.end()) {
        endLastLine();
        Section s;
        s.hasHeader = true;
        s.lines.push_back({"[" + std::string(section) + "]", Eol::CrLf});
        s.lines.push_back({std::move(text), Eol::CrLf});
        s.keys.emplace(std::string(key), 1);
        s.lastKeyLine = 1;
        m_sectionIndex.emplace(std::string(section), m_sections.size());
        m_sections.push_back(std::move(s));
        return;
    }
    Section& s = m_sections[sit->second];
    if (auto kit = s.keys.find(key); kit != s.keys.end()) {
        s.lines[kit->second].text = std::move(text);
        return;
    }
    // After the last key line, before the blank or comment lines that close
    // the section. Only non-key lines follow that point, so no indexed line
    // moves.
    const size_t at = s.keys.empty() ? (s.hasHeader ? 1 : 0) : s.lastKeyLine + 1;
    if (at == s.lines.size() && sit->second + 1 == m_sections.size()) endLastLine();
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), Eol::CrLf});
    s.keys.emplace(std::string(key), at);
    s.lastKeyLine = at;
}

bool ProfileFile::erase(std::string_view section, std::string_view key) {
    auto sit = m_sectionIndex.find(section);
    if (sit == m_sectionIndex.end()) return false;
    Section& s = m_sections[sit->second];
    auto kit = s.keys.find(key);
    if (kit == s.keys.end()) return false;
    s.lines.erase(s.lines.begin() + static_cast<std::ptrdiff_t>(kit->second));
    indexSection(s);
    return true;
}

}  // namespace orvex::settings
