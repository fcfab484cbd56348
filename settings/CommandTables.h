#pragma once
// Storage of the key, context-menu and toolbar tables: each table is a
// count and a fixed array stored whole as one binary value, with a changed
// flag instead of a stored copy. What the records mean, their defaults and
// how they are applied belong to the tables' owner (the main frame); this
// is where and how they are kept.
//
//   table       section / count key          binary key    array
//   keys        "KeyTable"/"KeyTableNum"     "KeyTable"    256 records of 6 bytes
//   menu        "MenuTable"/"MenuTableNum"   "MenuTable"   40 command ids (u32)
//   toolbar 1   "ToolTable"/"ToolTableNum"   "ToolTable"   80 command ids (u32)
//   toolbar 2   "ToolTable2"/"ToolTableNum"  "ToolTable"   80 command ids (u32)
//
// All integers in the binary values are little-endian.
#include <array>
#include <cstdint>

namespace orvex::settings {

class SettingsStore;

// One key assignment, 6 bytes stored: flags, a zero pad byte, the
// virtual-key code and the command id.
struct KeyAssignment {
    uint8_t flags = 0;  // 0x01 virtual key, 0x02 no-invert, 0x04 Shift, 0x08 Ctrl, 0x10 Alt
    uint16_t key = 0;
    uint16_t command = 0;

    friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

template <class Record, int Capacity>
struct StoredTable {
    static constexpr int kCapacity = Capacity;
    std::array<Record, Capacity> records{};
    int count = 0;         // live records: 0..Capacity after loading
    bool changed = false;  // set when replaced or migrated; cleared when written

    friend bool operator==(const StoredTable&, const StoredTable&) = default;
};

using KeyTable = StoredTable<KeyAssignment, 256>;
using IdTable40 = StoredTable<uint32_t, 40>;
using IdTable80 = StoredTable<uint32_t, 80>;

// Settings written by a version below this have their command ids migrated.
constexpr int kCurrentSettingsVersion = 0x200;

struct CommandTables {
    KeyTable keys;
    IdTable40 menu;
    IdTable80 toolbar1;
    IdTable80 toolbar2;

    // Reads the four tables. A binary value that cannot be read empties its
    // table; a count beyond the array, or beyond the records the binary
    // value holds, is cut to what is there. Below settings version 0x200 the
    // command ids 57608..57610 and 57667..57670 of live records move up by
    // one and the table is marked changed. markChanged (an import) marks
    // every table changed.
    void load(const SettingsStore& store, int storedVersion, bool markChanged);
    // Writes each table that changed (every table when forced): the count,
    // then the whole array; clears the changed flags.
    void save(SettingsStore& store, bool force);

    friend bool operator==(const CommandTables&, const CommandTables&) = default;
};

}  // namespace orvex::settings
