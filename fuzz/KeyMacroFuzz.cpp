// The ".km" reader and the key, context-menu and toolbar table readers over
// arbitrary bytes. The first byte chooses the reader:
//  - even: the bytes are a key-macro file. Whatever it holds is read without
//    reading past its end, written back to the same records, and played into
//    a target that only logs, with a slot recording the playback: cut-off
//    text records are never played, every text recorded again fits its record.
//  - odd: the rest is the stored count and binary values of the four tables.
//    Loading never yields a count beyond the array; the defaults, the key
//    lookup, the key names and the key page's edits work on what was read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "keymacro/KeyMacroFile.h"
#include "keymacro/KeyMacroPlayer.h"
#include "keymacro/KeyMacroSlots.h"
#include "settings/CommandTables.h"
#include "settings/SettingsStore.h"
#include "shell/CommandTableDefaults.h"
#include "shell/KeyLookup.h"

namespace {

using namespace orvex;

void check(bool ok) {
    if (!ok) std::abort();
}

class LogTarget final : public keymacro::PlaybackTarget {
public:
    void keyDown(uint16_t k, int32_t r) override { check(r >= 0 && r <= 255 && k <= 255); }
    void keyUp(uint16_t k, int32_t r) override { check(r >= 0 && r <= 255 && k <= 255); }
    void typeText(std::string_view s) override { typed += s.size(); }
    void setSearchString(std::string_view) override {}
    void setReplaceString(std::string_view) override {}
    void setJumpLine(int32_t) override {}
    void runBatchReplace() override {}
    void runCommand(CommandId) override { ++commands; }
    void clearModifierLatches() override {}
    size_t typed = 0;
    size_t commands = 0;
};

void fuzzKeyMacro(std::span<const uint8_t> bytes) {
    const keymacro::KmContent c = keymacro::parseKeyMacro(bytes);
    if (bytes.size() >= keymacro::kHeaderBytes) check(c.words.size() <= (bytes.size() - keymacro::kHeaderBytes) / 4);
    else check(c.words.empty());
    if (c.status != keymacro::KmStatus::Ok) return;
    const std::vector<uint8_t> again = keymacro::keyMacroBytes(c.words);
    const keymacro::KmContent back = keymacro::parseKeyMacro(again);
    check(back.status == keymacro::KmStatus::Ok && back.words == c.words);

    keymacro::KeyMacroSlots slots;
    slots.toggleRecording(1);
    LogTarget target;
    keymacro::playRecords(c.words, target, &slots);
    const std::vector<uint32_t>& rec = slots.slot(1).words;
    for (size_t k = 0; k < rec.size(); ++k) {
        const uint16_t code = keymacro::codeOf(rec[k]);
        if (!keymacro::isTextCode(code)) continue;
        check(keymacro::parameterOf(rec[k]) <= rec.size() - k - 1);
        k += keymacro::parameterOf(rec[k]);
    }
    check(target.commands <= c.words.size());
}

void fuzzTables(std::span<const uint8_t> bytes) {
    settings::SettingsStore store;
    auto take = [&](size_t n) {
        std::span<const uint8_t> part = bytes.first(std::min(n, bytes.size()));
        bytes = bytes.subspan(part.size());
        return part;
    };
    auto number = [&]() {
        const std::span<const uint8_t> p = take(2);
        int v = 0;
        for (uint8_t b : p) v = v << 8 | b;
        return v - 0x100;  // a few negative counts too
    };
    struct Table {
        const char* section;
        const char* countKey;
        const char* dataKey;
        size_t maxBytes;
    };
    const Table tables[] = {{"KeyTable", "KeyTableNum", "KeyTable", 1536},
                            {"MenuTable", "MenuTableNum", "MenuTable", 160},
                            {"ToolTable", "ToolTableNum", "ToolTable", 320},
                            {"ToolTable2", "ToolTableNum", "ToolTable", 320}};
    for (const Table& t : tables) {
        store.writeInt(t.section, t.countKey, number());
        const std::span<const uint8_t> size = take(1);
        const size_t n = size.empty() ? 0 : size[0] * t.maxBytes / 255;
        const std::span<const uint8_t> data = take(n);
        if (!data.empty() || (!size.empty() && size[0] % 2)) store.writeBinary(t.section, t.dataKey, data.data(), data.size());
    }
    settings::CommandTables loaded;
    loaded.load(store, number() & 0x3FF, false);
    check(loaded.keys.count >= 0 && loaded.keys.count <= 256);
    check(loaded.menu.count >= 0 && loaded.menu.count <= 40);
    check(loaded.toolbar1.count >= 0 && loaded.toolbar1.count <= 80);
    check(loaded.toolbar2.count >= 0 && loaded.toolbar2.count <= 80);

    shell::applyKeyDefaults(loaded.keys);
    shell::applyMenuDefaults(loaded.menu);
    shell::applyToolbar1Defaults(loaded.toolbar1);
    check(loaded.keys.count >= 1 && loaded.menu.count >= 1 && loaded.toolbar1.count >= 1);
    shell::KeyLookup lookup(loaded.keys);
    for (int i = 0; i < loaded.keys.count; ++i) {
        const settings::KeyAssignment& r = loaded.keys.records[size_t(i)];
        (void)lookup.keyNames(r.command);
        const auto found = lookup.find(r.key, r.flags & shell::kKeyShift, r.flags & shell::kKeyCtrl, r.flags & shell::kKeyAlt);
        check(found.has_value());
    }
    // The key page's edits on what was read.
    while (!bytes.empty()) {
        const std::span<const uint8_t> op = take(3);
        if (op.size() < 3) break;
        const uint8_t modifiers = op[0] & shell::kKeyModifierMask;
        const int before = loaded.keys.count;
        if (op[0] & 1) {
            const shell::AssignResult r = shell::assignKey(loaded.keys, modifiers, op[1], uint16_t(32768 + op[2]));
            check(r == shell::AssignResult::TableFull ? before == 256 : loaded.keys.count <= before + 1);
            if (r == shell::AssignResult::Assigned) check(shell::findKeyRecord(loaded.keys, modifiers, op[1]) == loaded.keys.count - 1);
        } else {
            shell::unassignKey(loaded.keys, modifiers, op[1]);
            check(shell::findKeyRecord(loaded.keys, modifiers, op[1]) < 0 || before > loaded.keys.count);
        }
        check(loaded.keys.count >= 0 && loaded.keys.count <= 256);
    }
    lookup.rebuild(loaded.keys);
    loaded.save(store, true);
    settings::CommandTables reread;
    reread.load(store, settings::kCurrentSettingsVersion, false);
    check(reread.keys.count == loaded.keys.count && reread.keys.records == loaded.keys.records);
    check(reread.menu.records == loaded.menu.records && reread.toolbar2.records == loaded.toolbar2.records);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    if (data[0] % 2 == 0) fuzzKeyMacro(rest);
    else fuzzTables(rest);
    return 0;
}
