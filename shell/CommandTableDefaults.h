#pragma once
// Built-in contents of the key, context-menu and toolbar tables, used when
// nothing usable is stored and by the editor pages' reset buttons.
#include <cstdint>
#include <span>

#include "settings/CommandTables.h"

namespace orvex::shell {

// Key-assignment flag bits.
enum KeyFlags : uint8_t {
    kKeyVirtual = 0x01,
    kKeyNoInvert = 0x02,
    kKeyShift = 0x04,
    kKeyCtrl = 0x08,
    kKeyAlt = 0x10,
    kKeyModifierMask = kKeyShift | kKeyCtrl | kKeyAlt,
};

std::span<const settings::KeyAssignment> defaultKeyTable();  // 42 records
std::span<const uint32_t> defaultContextMenu();              // 26 ids
std::span<const uint32_t> defaultToolbar1();                 // 35 ids
std::span<const uint32_t> defaultToolbar2();                 // one separator

// Command ids with a meaning of their own in the menu and toolbar tables.
constexpr uint32_t kSeparatorId = 0;
constexpr uint32_t kSearchBoxId = 32780;
// Ids that stand for submenus in the context menu.
bool isSubmenuId(uint32_t id);

}  // namespace orvex::shell
