#pragma once
// The key table turned into the lookup that runs before a view's own key
// handling, and the key names shown beside menu items.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "settings/CommandTables.h"

namespace orvex::shell {

// Puts the 42 defaults into a table whose count is below 1 (nothing usable
// was stored) and clamps a count beyond the array.
void applyKeyDefaults(settings::KeyTable& table);
// The same for the context menu (26 defaults) and toolbar 1 (35 defaults);
// toolbar 2 has no such rule: a count of 0 leaves it empty and hidden.
void applyMenuDefaults(settings::IdTable40& table);
void applyToolbar1Defaults(settings::IdTable80& table);

class KeyLookup {
public:
    KeyLookup() = default;
    explicit KeyLookup(const settings::KeyTable& table) { rebuild(table); }

    // Rebuilds from the live records of the table.
    void rebuild(const settings::KeyTable& table);

    // The command of the first live record whose key and Shift, Ctrl and Alt
    // states equal these exactly.
    std::optional<uint16_t> find(uint16_t virtualKey, bool shift, bool ctrl, bool alt) const;

    // Names of every live record issuing the command, in table order,
    // joined by one blank; records whose key has no name are skipped.
    std::string keyNames(uint16_t command) const;

private:
    static uint32_t packKey(uint16_t key, uint8_t modifiers) { return uint32_t(key) << 8 | modifiers; }
    std::unordered_map<uint32_t, uint16_t> m_byKey;
    std::unordered_map<uint16_t, std::string> m_namesByCommand;
};

// A menu item's text with its key label refreshed: the text is cut at its
// first tab and, when names is not empty, a tab and names are appended.
std::string menuTextWithKeys(std::string_view text, std::string_view names);

}  // namespace orvex::shell

namespace orvex::shell {

// The key page's edits on its copy of the table.
enum class AssignResult { Assigned, TableFull };
// Appends a record for the key combination (flags: virtual key + no-invert +
// the modifiers) after removing any record for the same combination. With
// 256 live records nothing changes and TableFull is returned (the page then
// shows message 30014), even when the combination is already assigned.
AssignResult assignKey(settings::KeyTable& table, uint8_t modifiers, uint16_t key, uint16_t command);
// Removes the records of the combination (a stored table may hold it twice);
// later records move up. False when there was none.
bool unassignKey(settings::KeyTable& table, uint8_t modifiers, uint16_t key);
// Index of the live record for the combination, or -1.
int findKeyRecord(const settings::KeyTable& table, uint8_t modifiers, uint16_t key);

}  // namespace orvex::shell
