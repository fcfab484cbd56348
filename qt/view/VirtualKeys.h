#pragma once
// Qt key events as the virtual-key codes the key table, the view and key
// macros use. Stored tables and recorded macros keep those codes, so the
// translation is fixed: letters and digits are their upper-case ASCII
// codes, the keypad has its own codes, and punctuation keys follow the
// Japanese keyboard's key codes (":" 0xBA ... "_" 0xE2), with shifted
// symbols mapped back to the key that produces them on that keyboard.
#include <Qt>
#include <cstdint>

namespace orvex::qt {

enum VirtualKey : uint16_t {
    kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12,
    kVkPause = 0x13, kVkCapital = 0x14, kVkEscape = 0x1B, kVkSpace = 0x20, kVkPrior = 0x21, kVkNext = 0x22,
    kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
    kVkInsert = 0x2D, kVkDelete = 0x2E, kVkApps = 0x5D, kVkNumpad0 = 0x60, kVkMultiply = 0x6A, kVkAdd = 0x6B,
    kVkSeparator = 0x6C, kVkSubtract = 0x6D, kVkDecimal = 0x6E, kVkDivide = 0x6F, kVkF1 = 0x70,
};

// 0 when the key has no virtual-key code (modifier-only changes that are
// not Shift/Ctrl/Alt, dead keys, unknown keys).
uint16_t toVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace orvex::qt
