#pragma once
// The name the save dialog offers for a document: defaults made from the
// text of an untitled document (`SaveDefName`), the cut before characters
// that do not belong in a file name, and the default extension.
#include <ctime>
#include <string>
#include <string_view>

namespace orvex::files {

enum SaveDefName : int {
    kDefNameFirstLine = 0,
    kDefNameFirstWord = 1,
    kDefNameDate = 2,  // "%y%m%d"; any higher value gives "%m%d"
};

// The text's first line: leading blanks, TABs and full-width blanks
// skipped, cut before the first file-name delimiter or control character,
// at most 196 bytes of whole characters. Shift JIS in and out.
std::string firstLineName(std::string_view sjis);
// The text's first word: the first run of one kind among ASCII letters,
// digits and "_"; half-width katakana; double-byte characters other than
// the full-width blank. At most 32 bytes of whole characters.
std::string firstWordName(std::string_view sjis);

// The default name by `SaveDefName` (UTF-8): first line, first word, or
// the date. Empty when the text gives none.
std::string defaultSaveName(int saveDefName, std::string_view sjis, const std::tm& now);

// The name cut before the first of "#%;/\" (with `isTitle`, also before
// the first blank, as for a document title).
std::string cutDubiousName(std::string_view name, bool isTitle);

// A name without "." gets ".tag" for a tag file, else the default
// extension (a "." put before it when it has none); an empty default
// extension adds nothing.
std::string withDefaultExtension(std::string_view name, bool tagFile, std::string_view defaultExtension);

}  // namespace orvex::files
