#include "settings/CommandTables.h"

#include <vector>

#include "settings/SettingsStore.h"

namespace orvex::settings {

namespace {

constexpr size_t kKeyRecordBytes = 6;

bool migratedCommand(uint32_t id) { return (id >= 57608 && id <= 57610) || (id >= 57667 && id <= 57670); }

void decode(const uint8_t* p, KeyAssignment& r) {
    r.flags = p[0];
    r.key = static_cast<uint16_t>(p[2] | (p[3] << 8));
    r.command = static_cast<uint16_t>(p[4] | (p[5] << 8));
}
void decode(const uint8_t* p, uint32_t& id) {
    id = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void encode(const KeyAssignment& r, uint8_t* p) {
    p[0] = r.flags;
    p[1] = 0;
    p[2] = static_cast<uint8_t>(r.key);
    p[3] = static_cast<uint8_t>(r.key >> 8);
    p[4] = static_cast<uint8_t>(r.command);
    p[5] = static_cast<uint8_t>(r.command >> 8);
}
void encode(uint32_t id, uint8_t* p) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(id >> (8 * i));
}

constexpr size_t recordBytes(const KeyAssignment*) { return kKeyRecordBytes; }
constexpr size_t recordBytes(const uint32_t*) { return 4; }

uint32_t commandOf(const KeyAssignment& r) { return r.command; }
uint32_t commandOf(uint32_t id) { return id; }
void setCommand(KeyAssignment& r, uint32_t id) { r.command = static_cast<uint16_t>(id); }
void setCommand(uint32_t& r, uint32_t id) { r = id; }

template <class Record, int Capacity>
void loadTable(const SettingsStore& store, StoredTable<Record, Capacity>& t, const char* section,
               const char* countKey, const char* dataKey, int storedVersion, bool markChanged) {
    constexpr size_t rec = recordBytes(static_cast<const Record*>(nullptr));
    t = StoredTable<Record, Capacity>{};
    int count = store.readInt(section, countKey, 0);
    if (count >= 0) {
        std::optional<std::vector<uint8_t>> bytes = store.readBinary(section, dataKey, rec * Capacity);
        if (!bytes) {
            count = 0;
        } else {
            const int whole = static_cast<int>(bytes->size() / rec);
            for (int i = 0; i < whole; ++i) decode(bytes->data() + static_cast<size_t>(i) * rec, t.records[static_cast<size_t>(i)]);
            if (count > whole) count = whole;
        }
    } else {
        count = 0;
    }
    t.count = count;
    t.changed = markChanged;
    if (storedVersion < kCurrentSettingsVersion && count > 0) {
        for (int i = 0; i < count; ++i) {
            Record& r = t.records[static_cast<size_t>(i)];
            if (migratedCommand(commandOf(r))) setCommand(r, commandOf(r) + 1);
        }
        t.changed = true;
    }
}

template <class Record, int Capacity>
void saveTable(SettingsStore& store, StoredTable<Record, Capacity>& t, const char* section, const char* countKey,
               const char* dataKey, bool force) {
    if (!t.changed && !force) return;
    constexpr size_t rec = recordBytes(static_cast<const Record*>(nullptr));
    std::vector<uint8_t> bytes(rec * Capacity);
    for (size_t i = 0; i < static_cast<size_t>(Capacity); ++i) encode(t.records[i], bytes.data() + i * rec);
    store.writeInt(section, countKey, t.count);
    store.writeBinary(section, dataKey, bytes.data(), bytes.size());
    t.changed = false;
}

}  // namespace

void CommandTables::load(const SettingsStore& store, int storedVersion, bool markChanged) {
    loadTable(store, keys, "KeyTable", "KeyTableNum", "KeyTable", storedVersion, markChanged);
    loadTable(store, menu, "MenuTable", "MenuTableNum", "MenuTable", storedVersion, markChanged);
    loadTable(store, toolbar1, "ToolTable", "ToolTableNum", "ToolTable", storedVersion, markChanged);
    loadTable(store, toolbar2, "ToolTable2", "ToolTableNum", "ToolTable", storedVersion, markChanged);
}

void CommandTables::save(SettingsStore& store, bool force) {
    saveTable(store, keys, "KeyTable", "KeyTableNum", "KeyTable", force);
    saveTable(store, menu, "MenuTable", "MenuTableNum", "MenuTable", force);
    saveTable(store, toolbar1, "ToolTable", "ToolTableNum", "ToolTable", force);
    saveTable(store, toolbar2, "ToolTable2", "ToolTableNum", "ToolTable", force);
}

}  // namespace orvex::settings
