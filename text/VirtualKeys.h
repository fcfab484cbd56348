#pragma once
// Windows virtual-key codes the view's key handling knows. Key tables,
// exported settings and key-macro files store these codes; the Qt layer
// translates its own key codes into them.
#include <cstdint>

namespace orvex::vk {

constexpr uint16_t kBack = 0x08;
constexpr uint16_t kTab = 0x09;
constexpr uint16_t kReturn = 0x0D;
constexpr uint16_t kShift = 0x10;
constexpr uint16_t kControl = 0x11;
constexpr uint16_t kMenu = 0x12;  // Alt
constexpr uint16_t kEscape = 0x1B;
constexpr uint16_t kPrior = 0x21;  // Page Up
constexpr uint16_t kNext = 0x22;   // Page Down
constexpr uint16_t kEnd = 0x23;
constexpr uint16_t kHome = 0x24;
constexpr uint16_t kLeft = 0x25;
constexpr uint16_t kUp = 0x26;
constexpr uint16_t kRight = 0x27;
constexpr uint16_t kDown = 0x28;
constexpr uint16_t kInsert = 0x2D;
constexpr uint16_t kDelete = 0x2E;
constexpr uint16_t kApps = 0x5D;  // the context-menu key

}  // namespace orvex::vk
