#include "shell/KeyNames.h"

#include <array>

#include "shell/CommandTableDefaults.h"

namespace orvex::shell {

namespace {

constexpr std::array<NamedKey, 27> kSpecial = {{
    {"Esc", 0x1B},      {"Home", 0x24},      {"End", 0x23},    {"PageUp", 0x21}, {"PageDown", 0x22},
    {"←", 0x25},        {"→", 0x27},         {"↑", 0x26},      {"↓", 0x28},      {"Space", 0x20},
    {"Tab", 0x09},      {"Enter", 0x0D},     {"BackSpace", 0x08}, {"Insert", 0x2D}, {"Delete", 0x2E},
    {"F1", 0x70},       {"F2", 0x71},        {"F3", 0x72},     {"F4", 0x73},     {"F5", 0x74},
    {"F6", 0x75},       {"F7", 0x76},        {"F8", 0x77},     {"F9", 0x78},     {"F10", 0x79},
    {"F11", 0x7A},      {"F12", 0x7B},
}};

constexpr std::array<NamedKey, 16> kKeypad = {{
    {"0", 0x60}, {"1", 0x61}, {"2", 0x62}, {"3", 0x63}, {"4", 0x64}, {"5", 0x65}, {"6", 0x66}, {"7", 0x67},
    {"8", 0x68}, {"9", 0x69}, {"*", 0x6A}, {"+", 0x6B}, {"Enter", 0x6C}, {"-", 0x6D}, {".", 0x6E}, {"/", 0x6F},
}};

constexpr std::array<NamedKey, 12> kPunctuation = {{
    {":", 0xBA}, {";", 0xBB}, {",", 0xBC}, {"-", 0xBD}, {".", 0xBE}, {"/", 0xBF},
    {"@", 0xC0}, {"[", 0xDB}, {"\\", 0xDC}, {"]", 0xDD}, {"^", 0xDE}, {"_", 0xE2},
}};

}  // namespace

std::span<const NamedKey> specialKeys() { return kSpecial; }
std::span<const NamedKey> keypadKeys() { return kKeypad; }
std::span<const NamedKey> punctuationKeys() { return kPunctuation; }

std::string keyName(uint16_t key) {
    if ((key >= 0x30 && key <= 0x39) || (key >= 0x41 && key <= 0x5A)) return std::string(1, static_cast<char>(key));
    for (auto list : {specialKeys(), keypadKeys(), punctuationKeys()})
        for (const NamedKey& k : list)
            if (k.key == key) return std::string(k.name);
    return {};
}

std::string keyNameWithModifiers(uint8_t flags, uint16_t key) {
    std::string name = keyName(key);
    if (name.empty()) return name;
    std::string prefix;
    if (flags & kKeyAlt) prefix += "Alt+";
    if (flags & kKeyCtrl) prefix += "Ctrl+";
    if (flags & kKeyShift) prefix += "Shift+";
    return prefix + name;
}

}  // namespace orvex::shell
