#pragma once
// The text of a macro program as the interpreter walks it.
//
// Built from the bytes of a macro file: a final end-of-file mark (0x1A) is
// dropped and a NUL is appended. A NUL anywhere ends the program text, so
// every walk stops at the first NUL. Behind the terminating NUL the buffer
// holds a few more NUL bytes, so a scanner that has seen a non-NUL byte may
// always look two bytes further without leaving the buffer. Positions are
// byte offsets from the start.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::orxmac {

class MacroSource {
public:
    // Extra NUL bytes kept behind the terminating NUL.
    static constexpr size_t kPadding = 4;

    MacroSource() : MacroSource(std::string_view{}) {}
    explicit MacroSource(std::string_view fileBytes);

    // Reads a macro file whole. False when it cannot be opened or read.
    static bool readFile(const std::string& path, MacroSource& out);

    // The program bytes including the terminating NUL (size() + 1 bytes are
    // valid, plus the padding).
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(m_text.data()); }
    const char* chars() const { return m_text.data(); }
    // Length of the text without the terminating NUL and the padding (a NUL
    // inside the file counts; it ends the program text early).
    uint32_t size() const { return m_size; }
    // The text with its terminating NUL, as the debugger shows it.
    std::string_view withTerminator() const { return std::string_view(m_text.data(), m_size + 1); }
    std::string_view text() const { return std::string_view(m_text.data(), m_size); }

private:
    std::string m_text;
    uint32_t m_size = 0;
};

}  // namespace orvex::orxmac
