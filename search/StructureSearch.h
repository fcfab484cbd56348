#pragma once
// Structure search over a document's text: the bracket that matches the
// one at the caret, the C-style function definitions, and the entries of
// the marked, title and modified row lists. The lists are tag-file lines
// (path, "(", line from 1, "): ", the text from the listed row's start to
// its line end, at most kListTextLimit bytes, CR LF), so that tag jump
// leads back to every entry.
//
// Brackets are "()", "{}" and "[]"; only the same kind nests, the others
// are ignored. C comments are passed over: forward, "/*" to "*/" and "//"
// to the line end, and a "*/" outside a comment ends the search; backward,
// each line is first cut at its first "//" (a "//" before the bracket on
// its own line means it is commented out), "*/" opens a comment going
// backward, "/*" closes it, and a "/*" outside one ends the search.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {
class TextStore;
}

namespace orvex::search {

constexpr size_t kListTextLimit = 1000;

struct BracketPair {
    int32_t bracket = 0;  // offset of the bracket at or before the caret
    int32_t partner = 0;  // offset of its partner
};

// The bracket at `caret` (or the character before it) and its partner in
// `text`; nothing when there is no bracket there, it stands in a comment,
// or it has no partner.
std::optional<BracketPair> matchBracket(std::string_view text, int32_t caret);

// Offsets where the names of the function definitions start, in text
// order. A definition is a name (letters, digits, "_", ":", "~", blanks
// and line ends, starting with a letter, "_" or ":") followed by a
// parenthesised list with its partner, then a "{" with no "(" or ";"
// before it, and the "{"'s partner; the scan resumes after that "}". An
// unbalanced "(" or "{" ends the list with what was found.
std::vector<int32_t> functionDefinitions(std::string_view text);

// One list entry for row r of the store.
void appendRowEntry(std::string& out, const TextStore& text, int32_t row, std::string_view path);

// Entries of the rows first..last (inclusive) whose flags hold any bit of
// mask.
size_t appendFlaggedRows(std::string& out, const TextStore& text, int32_t first, int32_t last, int32_t mask,
                         std::string_view path);

}  // namespace orvex::search
