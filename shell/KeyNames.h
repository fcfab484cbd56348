#pragma once
// Names of keys as the key page and the menus show them: modifier prefixes
// "Alt+", "Ctrl+", "Shift+" in that order, then the key's own name.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvex::shell {

struct NamedKey {
    std::string_view name;  // UTF-8
    uint16_t key;           // virtual-key code
};

// The three named-key lists, also the key page's key kinds.
std::span<const NamedKey> specialKeys();      // 27 keys: Esc, Home, ..., F12
std::span<const NamedKey> keypadKeys();       // 16 keys
std::span<const NamedKey> punctuationKeys();  // 12 keys

// Name of a bare key: digits and letters by their character, others from
// the lists; empty when the key has no name.
std::string keyName(uint16_t key);
// Name with the modifier prefixes of the flag bits; empty when the key has
// no name.
std::string keyNameWithModifiers(uint8_t flags, uint16_t key);

}  // namespace orvex::shell
