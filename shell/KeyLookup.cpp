#include "shell/KeyLookup.h"

#include <algorithm>

#include "shell/CommandTableDefaults.h"
#include "shell/KeyNames.h"

namespace orvex::shell {

namespace {

template <class Table, class Defaults>
void applyDefaults(Table& table, Defaults defaults) {
    table.count = std::clamp(table.count, 0, Table::kCapacity);
    if (table.count >= 1) return;
    std::copy(defaults.begin(), defaults.end(), table.records.begin());
    table.count = static_cast<int>(defaults.size());
}

}  // namespace

void applyKeyDefaults(settings::KeyTable& table) { applyDefaults(table, defaultKeyTable()); }
void applyMenuDefaults(settings::IdTable40& table) { applyDefaults(table, defaultContextMenu()); }
void applyToolbar1Defaults(settings::IdTable80& table) { applyDefaults(table, defaultToolbar1()); }

void KeyLookup::rebuild(const settings::KeyTable& table) {
    m_byKey.clear();
    m_namesByCommand.clear();
    const int live = std::clamp(table.count, 0, settings::KeyTable::kCapacity);
    for (int i = 0; i < live; ++i) {
        const settings::KeyAssignment& r = table.records[static_cast<size_t>(i)];
        const uint8_t modifiers = r.flags & kKeyModifierMask;
        m_byKey.emplace(packKey(r.key, modifiers), r.command);  // the first record wins
        std::string name = keyNameWithModifiers(r.flags, r.key);
        if (name.empty()) continue;
        std::string& names = m_namesByCommand[r.command];
        if (!names.empty()) names += ' ';
        names += name;
    }
}

std::optional<uint16_t> KeyLookup::find(uint16_t virtualKey, bool shift, bool ctrl, bool alt) const {
    const uint8_t modifiers = (shift ? kKeyShift : 0) | (ctrl ? kKeyCtrl : 0) | (alt ? kKeyAlt : 0);
    auto it = m_byKey.find(packKey(virtualKey, modifiers));
    if (it == m_byKey.end()) return std::nullopt;
    return it->second;
}

std::string KeyLookup::keyNames(uint16_t command) const {
    auto it = m_namesByCommand.find(command);
    return it == m_namesByCommand.end() ? std::string() : it->second;
}

std::string menuTextWithKeys(std::string_view text, std::string_view names) {
    std::string out(text.substr(0, text.find('\t')));
    if (!names.empty()) {
        out += '\t';
        out += names;
    }
    return out;
}

}  // namespace orvex::shell

namespace orvex::shell {

int findKeyRecord(const settings::KeyTable& table, uint8_t modifiers, uint16_t key) {
    const int live = std::clamp(table.count, 0, settings::KeyTable::kCapacity);
    const uint8_t wanted = kKeyVirtual | (modifiers & kKeyModifierMask);
    for (int i = 0; i < live; ++i) {
        const auto& r = table.records[static_cast<size_t>(i)];
        if (r.key == key && (r.flags & (kKeyVirtual | kKeyModifierMask)) == wanted) return i;
    }
    return -1;
}

bool unassignKey(settings::KeyTable& table, uint8_t modifiers, uint16_t key) {
    // A stored table may hold the combination more than once; every record
    // of it goes, or the next one would take over the key.
    bool removed = false;
    for (int at = findKeyRecord(table, modifiers, key); at >= 0; at = findKeyRecord(table, modifiers, key)) {
        const int live = std::clamp(table.count, 0, settings::KeyTable::kCapacity);
        std::move(table.records.begin() + at + 1, table.records.begin() + live, table.records.begin() + at);
        table.records[static_cast<size_t>(live - 1)] = {};
        table.count = live - 1;
        removed = true;
    }
    if (removed) table.changed = true;
    return removed;
}

AssignResult assignKey(settings::KeyTable& table, uint8_t modifiers, uint16_t key, uint16_t command) {
    if (table.count >= settings::KeyTable::kCapacity) return AssignResult::TableFull;
    unassignKey(table, modifiers, key);
    const uint8_t flags = kKeyVirtual | kKeyNoInvert | (modifiers & kKeyModifierMask);
    table.records[static_cast<size_t>(table.count)] = {flags, key, command};
    ++table.count;
    table.changed = true;
    return AssignResult::Assigned;
}

}  // namespace orvex::shell
