#include "shell/CommandTableDefaults.h"

#include <algorithm>
#include <array>

namespace orvex::shell {

namespace {

constexpr uint8_t kBase = kKeyVirtual | kKeyNoInvert;
constexpr uint8_t kS = kBase | kKeyShift;
constexpr uint8_t kC = kBase | kKeyCtrl;
constexpr uint8_t kCS = kBase | kKeyCtrl | kKeyShift;
constexpr uint8_t kAC = kBase | kKeyAlt | kKeyCtrl;

// Virtual-key codes used below.
enum : uint16_t {
    VK_BACK = 0x08, VK_RETURN = 0x0D, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
    VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70,
};
constexpr uint16_t key(char c) { return static_cast<uint16_t>(c); }

// The stored order matters: lookups and key names follow it.
constexpr std::array<settings::KeyAssignment, 42> kKeys = {{
    {kAC, VK_BACK, 57643},   {kC, VK_DELETE, 32818},  {kS, VK_DELETE, 57635},  {kC, VK_HOME, 32778},
    {kCS, VK_HOME, 32803},   {kC, VK_END, 32779},     {kCS, VK_END, 32804},    {kBase, VK_INSERT, 32781},
    {kC, VK_INSERT, 57634},  {kS, VK_INSERT, 57637},  {kC, VK_LEFT, 32823},    {kCS, VK_LEFT, 32809},
    {kC, VK_RETURN, 32827},  {kS, VK_RETURN, 32833},  {kC, VK_RIGHT, 32824},   {kCS, VK_RIGHT, 32810},
    {kC, VK_UP, 33074},      {kC, VK_DOWN, 33075},    {kC, key('A'), 57644},   {kC, key('B'), 32853},
    {kC, key('C'), 57634},   {kC, key('D'), 32834},   {kC, key('E'), 32920},   {kC, key('F'), 57636},
    {kC, key('G'), 32783},   {kC, key('J'), 32777},   {kC, key('K'), 32815},   {kC, key('L'), 32854},
    {kC, key('M'), 32782},   {kC, key('N'), 32773},   {kC, key('O'), 57601},   {kC, key('P'), 32774},
    {kC, key('Q'), 33103},   {kC, key('R'), 57641},   {kC, key('S'), 57603},   {kC, key('T'), 32847},
    {kC, key('V'), 57637},   {kC, key('X'), 57635},   {kC, key('Y'), 32813},   {kC, key('Z'), 57643},
    {kBase, VK_F1, 57666},   {kS, VK_F1, 57669},
}};

constexpr std::array<uint32_t, 26> kMenu = {57643, 57644, 0,     57635, 57634, 57637, 32843, 32799, 32798,
                                            0,     57642, 33111, 32893, 32894, 0,     32933, 32990, 0,
                                            32895, 32872, 32982, 33106, 32875, 33018, 32896, 32897};

constexpr std::array<uint32_t, 35> kToolbar1 = {57600, 57601, 57603, 32800, 32970, 57607, 0,     57635, 57634,
                                                57637, 0,     57643, 57644, 0,     32780, 0,     32864, 57636,
                                                32773, 32774, 0,     32778, 32779, 32777, 0,     32782, 32783,
                                                32785, 0,     57650, 57651, 57652, 0,     57664, 57669};

constexpr std::array<uint32_t, 1> kToolbar2 = {0};

constexpr std::array<uint32_t, 9> kSubmenus = {32893, 32894, 32895, 32896, 32897, 32982, 33018, 32990, 33115};

}  // namespace

std::span<const settings::KeyAssignment> defaultKeyTable() { return kKeys; }
std::span<const uint32_t> defaultContextMenu() { return kMenu; }
std::span<const uint32_t> defaultToolbar1() { return kToolbar1; }
std::span<const uint32_t> defaultToolbar2() { return kToolbar2; }

bool isSubmenuId(uint32_t id) { return std::find(kSubmenus.begin(), kSubmenus.end(), id) != kSubmenus.end(); }

}  // namespace orvex::shell
