#pragma once
// What a view tells the key-macro recorder. The main frame's recorder
// implements it; views call it from every command handler and from their
// key and character handlers while a slot is recording.
//
// A record is one 32-bit word: the low 16 bits a command id or one of the
// codes below, the high 16 bits a parameter.
#include <cstdint>
#include <string_view>

#include "common/commands/CommandIds.h"
#include "common/commands/CommandTable.h"

namespace orvex {

namespace keymacro {
constexpr uint16_t kKeyDown = 256;   // parameter: virtual key << 8 | repeat count (at most 255)
constexpr uint16_t kKeyUp = 257;     // same layout
constexpr uint16_t kText = 258;      // followed by the typed text
constexpr uint16_t kJumpLine = cmd::kJumpLineRecord;  // followed by the line number as decimal text

// Parameter of a key record.
constexpr uint16_t keyParameter(uint16_t virtualKey, int32_t repeat) {
    const int32_t count = repeat < 0 ? 0 : repeat > 255 ? 255 : repeat;
    return uint16_t(((virtualKey & 0xFF) << 8) | count);
}
}  // namespace keymacro

// recordingSlot() and record() come from the command gate's recorder.
class KeyMacroHook : public CommandRecorder {
public:
    // Appends the code with the text's length in words as parameter, then
    // the text and its NUL in whole little-endian words.
    virtual void recordText(uint16_t code, std::string_view sjis) = 0;
};

}  // namespace orvex
