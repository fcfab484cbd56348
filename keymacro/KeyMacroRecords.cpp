#include "keymacro/KeyMacroRecords.h"

#include "common/codepage/SjisWalk.h"
#include "text/KeyMacroHook.h"

namespace orvex::keymacro {

namespace {

// The four ranges of each family: first id, last id, slot index of the
// first id.
struct SlotRange {
    CommandId first, last;
    int firstSlot;
};
constexpr SlotRange kRecordRanges[] = {
    {cmd::kKeyMacroRecord, cmd::kKeyMacroRecord, 0},
    {cmd::kKeyMacroRecord2, cmd::kKeyMacroRecord2 + 3, 1},
    {cmd::kKeyMacroRecord6, cmd::kKeyMacroRecord6 + 4, 5},
    {cmd::kKeyMacroRecord11, cmd::kKeyMacroRecord11 + 9, 10},
};
constexpr SlotRange kPlayRanges[] = {
    {cmd::kKeyMacroPlay, cmd::kKeyMacroPlay, 0},
    {cmd::kKeyMacroPlay2, cmd::kKeyMacroPlay2 + 3, 1},
    {cmd::kKeyMacroPlay6, cmd::kKeyMacroPlay6 + 4, 5},
    {cmd::kKeyMacroPlay11, cmd::kKeyMacroPlay11 + 9, 10},
};

int slotIn(const SlotRange (&ranges)[4], CommandId id) {
    for (const SlotRange& r : ranges)
        if (id >= r.first && id <= r.last) return r.firstSlot + (id - r.first);
    return -1;
}

CommandId commandIn(const SlotRange (&ranges)[4], int slot) {
    for (const SlotRange& r : ranges)
        if (slot >= r.firstSlot && slot <= r.firstSlot + (r.last - r.first)) return CommandId(r.first + (slot - r.firstSlot));
    return 0;
}

}  // namespace

bool isTextCode(uint16_t code) {
    return code == kText || code == cmd::kCopyToFindBox || code == cmd::kReplacementRecord || code == kJumpLine;
}

std::vector<uint32_t> packText(std::string_view sjis) {
    std::vector<uint32_t> words(textWordCount(sjis.size()), 0);
    for (size_t i = 0; i < sjis.size(); ++i) words[i / 4] |= uint32_t(uint8_t(sjis[i])) << (8 * (i % 4));
    return words;
}

std::string unpackText(std::span<const uint32_t> words) {
    std::string out;
    out.reserve(words.size() * 4);
    for (uint32_t w : words)
        for (int b = 0; b < 4; ++b) {
            const char c = char((w >> (8 * b)) & 0xFF);
            if (c == '\0') return out;
            out += c;
        }
    return out;
}

std::vector<std::string_view> splitForRecords(std::string_view sjis, size_t maxBytes) {
    std::vector<std::string_view> pieces;
    if (maxBytes < 2) maxBytes = 2;  // a double-byte character must fit
    size_t start = 0;
    while (sjis.size() - start > maxBytes) {
        // Walk whole characters up to the limit; the piece ends at the last
        // boundary that fits, moved back before a CR that a LF follows.
        const char* p = sjis.data() + start;
        const ptrdiff_t remaining = ptrdiff_t(sjis.size() - start);
        size_t cut = 0;
        while (true) {
            const size_t next = cut + size_t(sjis::plainStepWithin(p + cut, remaining - ptrdiff_t(cut)));
            if (next > maxBytes) break;
            cut = next;
        }
        if (cut >= 2 && p[cut - 1] == '\r' && p[cut] == '\n') --cut;
        pieces.push_back(sjis.substr(start, cut));
        start += cut;
    }
    pieces.push_back(sjis.substr(start));
    return pieces;
}

int recordSlotOf(CommandId id) { return slotIn(kRecordRanges, id); }
int playSlotOf(CommandId id) { return slotIn(kPlayRanges, id); }
CommandId recordCommandOf(int slot) { return commandIn(kRecordRanges, slot); }
CommandId playCommandOf(int slot) { return commandIn(kPlayRanges, slot); }

std::string slotFileName(int slot) { return "OrvexK" + std::to_string(slot + 1) + ".km"; }

}  // namespace orvex::keymacro
