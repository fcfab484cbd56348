#include "display/ColourTable.h"

namespace orvex {

namespace {

struct SlotDefault {
    enum Kind : uint8_t { SystemText, SystemWindow, Fixed, Slot, RulerInk } kind;
    Colour fixed;      // Fixed
    ColourSlot from;   // Slot: the resolved colour of an earlier slot
};

constexpr SlotDefault slotDefault(ColourSlot s) {
    using S = ColourSlot;
    switch (s) {
    case S::Text: return {SlotDefault::SystemText, 0, S::Text};
    case S::Window: return {SlotDefault::SystemWindow, 0, S::Text};
    case S::Cr: return {SlotDefault::Fixed, 0xFF0000, S::Text};
    case S::Eof: return {SlotDefault::Slot, 0, S::Cr};
    case S::Line: return {SlotDefault::Fixed, 0xFF0000, S::Text};
    case S::Rula: return {SlotDefault::RulerInk, 0, S::Text};
    case S::LineNo: return {SlotDefault::Slot, 0, S::Text};
    case S::LineNo2: return {SlotDefault::Slot, 0, S::LineNo};
    case S::Text7: return {SlotDefault::Slot, 0, S::Text3};
    case S::Url: return {SlotDefault::Slot, 0, S::Text};
    case S::Mail: return {SlotDefault::Slot, 0, S::Url};
    case S::CurLine: return {SlotDefault::Slot, 0, S::Text};
    case S::CurLineBk: return {SlotDefault::Slot, 0, S::Window};
    case S::FindText: return {SlotDefault::Slot, 0, S::Text};
    case S::SelText: return {SlotDefault::Slot, 0, S::Window};
    case S::Window2: return {SlotDefault::Slot, 0, S::Text};
    default: return {SlotDefault::Slot, 0, S::Text};  // TextColor2..15 but 7
    }
}

// Slot whose colour paints the text of each attribute code 0..20.
constexpr ColourSlot kCodeSlot[attr::kLastCode + 1] = {
    ColourSlot::Text,     ColourSlot::SelText, ColourSlot::Text4,  ColourSlot::Text2,    ColourSlot::Text3,
    ColourSlot::Text5,    ColourSlot::Text6,   ColourSlot::Text7,  ColourSlot::Text8,    ColourSlot::Text9,
    ColourSlot::Text10,   ColourSlot::Text11,  ColourSlot::Url,    ColourSlot::Mail,     ColourSlot::CurLine,
    ColourSlot::FindText, ColourSlot::Text12,  ColourSlot::Text13, ColourSlot::Text14,   ColourSlot::Text15,
    ColourSlot::Text2,
};

}  // namespace

StoredColours unsetColours() {
    StoredColours s;
    s.fill(-1);
    return s;
}

ColourTable ColourTable::resolve(const StoredColours& stored, const SystemColours& system) {
    ColourTable t{Blank{}};
    t.m_system = system;
    for (int i = 0; i < kColourSlotCount; ++i) {
        const auto s = ColourSlot(i);
        const int32_t v = stored[std::size_t(i)];
        if (v >= 0) {
            t.m_set[std::size_t(i)] = true;
            t.m_colours[std::size_t(i)] = Colour(v) & 0xFFFFFF;
            continue;
        }
        const SlotDefault d = slotDefault(s);
        Colour c = 0;
        switch (d.kind) {
        case SlotDefault::SystemText: c = system.windowText; break;
        case SlotDefault::SystemWindow: c = system.window; break;
        case SlotDefault::Fixed: c = d.fixed; break;
        case SlotDefault::Slot: c = t.m_colours[std::size_t(d.from)]; break;
        case SlotDefault::RulerInk: c = system.buttonText; break;
        }
        t.m_colours[std::size_t(i)] = c;
    }
    t.m_rulerInk = t.m_colours[std::size_t(ColourSlot::Rula)];
    for (std::size_t code = 0; code < t.m_foreground.size(); ++code)
        t.m_foreground[code] = t.colour(code <= attr::kLastCode ? kCodeSlot[code] : ColourSlot::Text);
    return t;
}

Colour ColourTable::background(uint8_t attribute) const {
    const uint8_t code = attribute & attr::kCodeMask;
    if (code == attr::kSelection) return colour(ColourSlot::Window2);
    if (code == attr::kCaretLine || (attribute & attr::kCaretBackground)) return colour(ColourSlot::CurLineBk);
    return colour(ColourSlot::Window);
}

ColourSlot ColourTable::keywordSlot(int g) {
    constexpr ColourSlot slots[8] = {ColourSlot::Text3,  ColourSlot::Text7,  ColourSlot::Text8,  ColourSlot::Text9,
                                     ColourSlot::Text12, ColourSlot::Text13, ColourSlot::Text14, ColourSlot::Text15};
    return slots[(g - 1) & 7];
}

ColourSlot ColourTable::classSlot(int k) {
    constexpr ColourSlot slots[4] = {ColourSlot::Text5, ColourSlot::Text6, ColourSlot::Text10, ColourSlot::Text11};
    return slots[(k - 1) & 3];
}

}  // namespace orvex
