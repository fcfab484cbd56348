#pragma once
// Tag-file lines: reading a file name and a line number out of one line of
// a result document, a ".tag" file or a program's output, and writing the
// line that find in files and the lists produce.
//
// Forms read (each with the text after it ignored):
//
//   /src/a.c(12): text            result documents, MSVC-style compilers
//   /src/a.c(12,5): error ...     MSVC-style with a column
//   a.c:12:34: error: ...         GCC and Clang
//   a.c:12:text                   grep -n
//   "dir with blank/a.c"(30): x   a quoted name
//   a.c 12 text                   a name, a blank and a number
//
// The name runs over every character but ":", "*", "?", "<", ">", "|" and
// control characters ("/" is a path character), double-byte characters
// whole; blanks inside it are kept. It ends before "(" followed by digits
// and ")" or ",", and before a blank, tab or form feed followed by digits
// that are followed by a stop character, a blank or the end of the line.
// The line number is the first decimal number after the name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex::search {

struct TagLocation {
    std::string file;  // as written, trailing blanks removed; never empty
    int32_t line = 0;  // from 1; 0 when the line names no number
};

// The file and line a tag line names, or nothing when it names no file.
// `line` is one logical line; a line end in it ends the parse.
std::optional<TagLocation> parseTagLine(std::string_view line);

// The path a tag-jump name stands for: an absolute name as it is, a
// relative one joined to `baseFolder` (the folder of the document, or the
// working folder of the program that wrote it); with no base folder the
// name stays relative (to the editor's current folder).
std::string resolveTagPath(std::string_view name, std::string_view baseFolder);

// A file-system name (UTF-8 on this system) as result-document text,
// which is Shift JIS: converted when it comes back byte for byte, so that
// Japanese names read as themselves; otherwise (characters code page 932
// lacks, bytes that are not UTF-8) kept as the bytes they are, which a
// jump still opens.
std::string pathAsText(std::string_view fileSystemName);
// The file a tag-jump name stands for, on disk: the name's bytes as they
// stand when such a file exists, else the name read as Shift JIS text
// (a name shown converted, or written so by a program whose output was
// converted) when that file exists; otherwise the bytes as they stand.
std::string existingTagPath(std::string_view name, std::string_view baseFolder);

// Appends one result line: path, "(", line, "): ", text, CR LF.
void appendTagLine(std::string& out, std::string_view path, int64_t line, std::string_view text);

}  // namespace orvex::search
