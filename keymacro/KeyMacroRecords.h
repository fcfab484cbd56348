#pragma once
// The key-macro record format and the numbering of the slot commands.
//
// A recording is a list of 32-bit words. A word's low 16 bits are a command
// id or one of the record codes of text/KeyMacroHook.h, its high 16 bits a
// parameter. A text record (typed text, search string, replacement, jump
// line) gives the number n of data words that follow it; those words carry
// the Shift JIS text and its NUL, first byte in the low byte of the first
// word, the bytes after the NUL zero.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/commands/CommandIds.h"

namespace orvex::keymacro {

constexpr int kSlotCount = 20;
// The most data words one text record can announce in its 16-bit parameter.
constexpr size_t kMaxTextWords = 0xFFFF;
// The longest text one record holds: n = (length + 4) / 4 must stay within
// kMaxTextWords.
constexpr size_t kMaxTextBytes = kMaxTextWords * 4 - 1;

constexpr uint16_t codeOf(uint32_t word) { return uint16_t(word & 0xFFFF); }
constexpr uint16_t parameterOf(uint32_t word) { return uint16_t(word >> 16); }
constexpr uint32_t makeRecord(uint16_t code, uint16_t parameter) { return uint32_t(parameter) << 16 | code; }

// Codes whose parameter counts the text words that follow.
bool isTextCode(uint16_t code);

// Number of data words for a text of that many bytes.
constexpr size_t textWordCount(size_t bytes) { return (bytes + 4) / 4; }
// The data words of a text (with its NUL and zero padding).
std::vector<uint32_t> packText(std::string_view sjis);
// The text held in data words: the bytes up to the first NUL, or all of
// them when none is there.
std::string unpackText(std::span<const uint32_t> words);

// Cuts a text into pieces that each fit one text record, never inside a
// double-byte character and never between the CR and LF of a line end.
std::vector<std::string_view> splitForRecords(std::string_view sjis, size_t maxBytes = kMaxTextBytes);

// Slot index (0..19) of a record or play command, -1 for other ids.
int recordSlotOf(CommandId id);
int playSlotOf(CommandId id);
// The record and play commands of slot index i (0..19).
CommandId recordCommandOf(int slot);
CommandId playCommandOf(int slot);

// "OrvexK%d.km" for slot index i (the file carries i + 1).
std::string slotFileName(int slot);

}  // namespace orvex::keymacro
