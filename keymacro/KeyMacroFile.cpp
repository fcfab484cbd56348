#include "keymacro/KeyMacroFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/strings/StringTable.h"

namespace orvex::keymacro {

namespace {

std::string_view magic() { return strings::text(strings::kKeyMacroMagic); }

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void writeLe32(uint32_t v, uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

// The magic field matches when the text up to its first NUL (or all 32
// bytes) is the magic exactly.
bool magicMatches(const uint8_t* field) {
    const void* nul = std::memchr(field, 0, kMagicBytes);
    const size_t length = nul ? size_t(static_cast<const uint8_t*>(nul) - field) : kMagicBytes;
    return std::string_view(reinterpret_cast<const char*>(field), length) == magic();
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<uint8_t> keyMacroBytes(std::span<const uint32_t> words) {
    std::vector<uint8_t> out(kHeaderBytes + words.size() * 4, 0);
    const std::string_view m = magic();
    std::memcpy(out.data(), m.data(), std::min(m.size(), kMagicBytes));
    writeLe32(uint32_t(words.size()), out.data() + kMagicBytes);
    for (size_t i = 0; i < words.size(); ++i) writeLe32(words[i], out.data() + kHeaderBytes + i * 4);
    return out;
}

KmContent parseKeyMacro(std::span<const uint8_t> bytes) {
    KmContent c;
    if (bytes.size() < kMagicBytes || !magicMatches(bytes.data())) {
        c.status = KmStatus::NotKeyMacro;
        return c;
    }
    if (bytes.size() < kHeaderBytes) {
        c.status = KmStatus::CountUnreadable;
        return c;
    }
    const uint64_t count = readLe32(bytes.data() + kMagicBytes);
    const uint64_t present = (bytes.size() - kHeaderBytes) / 4;
    const uint64_t n = std::min(count, present);
    c.words.resize(size_t(n));
    for (size_t i = 0; i < c.words.size(); ++i) c.words[i] = readLe32(bytes.data() + kHeaderBytes + i * 4);
    c.status = n == count ? KmStatus::Ok : KmStatus::RecordsShort;
    return c;
}

KmContent readKeyMacroFile(const std::string& path) {
    KmContent c;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        c.status = KmStatus::CannotOpen;
        return c;
    }
    uint8_t header[kHeaderBytes];
    const size_t got = std::fread(header, 1, kMagicBytes, f.get());
    if (got < kMagicBytes || !magicMatches(header)) {
        c.status = KmStatus::NotKeyMacro;
        return c;
    }
    if (std::fread(header + kMagicBytes, 1, 4, f.get()) < 4) {
        c.status = KmStatus::CountUnreadable;
        return c;
    }
    const uint32_t count = readLe32(header + kMagicBytes);
    // The words are read in blocks, so that a count far beyond the file
    // never asks for memory the file cannot fill.
    constexpr size_t kBlockWords = 16384;
    std::vector<uint8_t> block(kBlockWords * 4);
    while (c.words.size() < count) {
        const size_t want = std::min<size_t>(kBlockWords, count - c.words.size());
        const size_t read = std::fread(block.data(), 1, want * 4, f.get());
        for (size_t i = 0; i + 4 <= read; i += 4) c.words.push_back(readLe32(block.data() + i));
        if (read < want * 4) {
            c.status = KmStatus::RecordsShort;
            return c;
        }
    }
    return c;
}

bool writeKeyMacroFile(const std::string& path, std::span<const uint32_t> words) {
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    if (!f) return false;
    const std::vector<uint8_t> bytes = keyMacroBytes(words);
    std::fwrite(bytes.data(), 1, bytes.size(), f.get());
    return true;
}

}  // namespace orvex::keymacro
