#pragma once
// The key-macro file (".km"): a 32-byte magic field ("Orvex KeyMacroFile
// V1.00" and NUL bytes), the record count N as an unsigned 32-bit
// little-endian number, then the N record words, little-endian.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvex::keymacro {

constexpr size_t kMagicBytes = 32;
constexpr size_t kHeaderBytes = kMagicBytes + 4;

enum class KmStatus {
    Ok,
    CannotOpen,      // the file could not be opened
    NotKeyMacro,     // fewer than 32 bytes, or the text before the first NUL is not the magic
    CountUnreadable, // the count is missing: the slot stays as it was
    RecordsShort,    // fewer record words than the count: the slot ends empty
};

struct KmContent {
    KmStatus status = KmStatus::Ok;
    std::vector<uint32_t> words;  // the records read (all of them only with Ok)
};

// The file's bytes for a list of records.
std::vector<uint8_t> keyMacroBytes(std::span<const uint32_t> words);
// Reads a file's bytes. Never reads more words than the bytes hold, whatever
// the count says.
KmContent parseKeyMacro(std::span<const uint8_t> bytes);
// Reads and writes a file. A file larger than its header and count say is
// read up to the count.
KmContent readKeyMacroFile(const std::string& path);
// False when the file could not be created; write errors after that are
// not reported (the slot files are written silently).
bool writeKeyMacroFile(const std::string& path, std::span<const uint32_t> words);

}  // namespace orvex::keymacro
