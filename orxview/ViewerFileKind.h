#pragma once
// What the file viewer shows a file as, decided from its first bytes and
// its extension: rich text (the file starts with "{\rtf"), a Word document
// (the compound-document signature and ".doc"), a Write document (0xBE31 or
// 0xBE32 little-endian and ".wri"), or a hexadecimal dump of anything else.
#include <string>
#include <string_view>

namespace orvex::viewer {

enum class FileKind { RichText, Word, Write, HexDump };

// head: the file's first bytes (at least 8 when the file has them); path:
// its name, whose extension is compared without regard to case. A forced
// dump skips the test.
FileKind fileKindOf(std::string_view head, std::string_view path, bool forceDump = false);

// The window's title: the name after the last "/".
std::string viewerTitle(std::string_view path);

// The message shown when a Word or Write document cannot be converted (no
// document converters exist here), before the dump is shown instead.
std::string missingConverterMessage(FileKind kind);

}  // namespace orvex::viewer
