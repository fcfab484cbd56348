#pragma once
// An INI-style settings file held in memory with private-profile semantics:
// section headers in square brackets, each followed by "key=value" lines.
//
// - Sections and keys are matched without regard to ASCII letter case
//   (double-byte characters are compared as they are).
// - When a section or a key occurs more than once, the first occurrence is
//   the one read and written; the others are kept untouched.
// - Writing a key replaces its line, or adds a line after the last key line
//   of its section, or adds the section at the end of the file. Every other
//   line (comments, blank lines, lines that are not understood, their line
//   ends) is kept byte for byte.
// - Values are handed out raw: surrounding blanks and tabs removed, quotes
//   and escapes left to ValueCodec. The bytes are Shift JIS and never
//   converted.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvex::settings {

class ProfileFile {
public:
    ProfileFile() = default;

    // Never fails: lines that are neither a section header, a comment nor
    // "key=value" are kept as they are and otherwise ignored.
    static ProfileFile parse(std::string_view bytes);
    std::string serialize() const;

    std::optional<std::string_view> get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view rawValue);
    // Removes the key's line; false when there was none.
    bool erase(std::string_view section, std::string_view key);
    bool hasSection(std::string_view section) const;
    bool empty() const { return m_sections.empty() && m_bom.empty(); }

    // The lookup form of a section or key name: ASCII letters lower-cased,
    // double-byte characters untouched.
    static std::string foldCase(std::string_view name);
    // Names equal in their lookup form, and a hash that agrees with it.
    static bool sameName(std::string_view a, std::string_view b);
    static size_t hashName(std::string_view name);

private:
    // Maps keyed by names as they stand in the file, looked up with any
    // spelling without building a folded copy.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return hashName(s); }
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return sameName(a, b); }
    };
    using NameIndex = std::unordered_map<std::string, size_t, NameHash, NameEqual>;

    enum class Eol : uint8_t { None, CrLf, Lf, Cr };
    struct Line {
        std::string text;
        Eol eol = Eol::CrLf;
    };
    struct Section {
        bool hasHeader = false;  // false only for the lines before the first header
        std::vector<Line> lines;  // lines[0] is the header when hasHeader
        NameIndex keys;  // key -> first line holding it
        size_t lastKeyLine = 0;  // index of the last key line, or of the header
    };

    static std::optional<std::string_view> keyOfLine(std::string_view line);
    void indexSection(Section& s);
    const Section* findSection(std::string_view section) const;
    void endLastLine();

    std::string m_bom;  // a UTF-8 byte-order mark in front of the file, kept as it was
    std::vector<Section> m_sections;
    NameIndex m_sectionIndex;  // section name -> first section
};

}  // namespace orvex::settings
