#pragma once
// The resolved colour table: every colour slot of the display with its
// default applied, the colours of the row attribute codes and the "a
// feature coloured like ordinary text is off" rule.
//
// Colours are 0x00BBGGRR (red in the low byte). A stored value of -1 means
// "not set" and takes the slot's default, which may be another slot's
// resolved colour (EOFColor follows CRColor, TextColor7 follows TextColor3,
// MailColor follows URLColor ...) or a system colour. Slots are resolved in
// declaration order, so a default chain only ever looks back.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvex {

using Colour = uint32_t;  // 0x00BBGGRR

constexpr Colour rgb(int r, int g, int b) {
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int redOf(Colour c) { return int(c & 0xFF); }
constexpr int greenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return int((c >> 16) & 0xFF); }

// The slots, named after their settings keys.
enum class ColourSlot : uint8_t {
    Text,         // TextColor: ordinary text
    Window,       // WindowColor: background of text and gutter
    Cr,           // CRColor: line-end arrow
    Eof,          // EOFColor: "[EOF]"
    Line,         // LineColor: caret-line underline
    Rula,         // RulaColor: ruler ticks and digits
    LineNo,       // LineNoColor: line numbers, gutter separator
    LineNo2,      // LineNo2Color: numbers of modified rows
    Text2,        // TextColor2: tab and full-width blank marks
    Text3,        // keyword group 1
    Text4,        // comments
    Text5,        // line-start class 1
    Text6,        // line-start class 2
    Text7,        // keyword group 2
    Text8,        // keyword group 3
    Text9,        // keyword group 4
    Text10,       // line-start class 3
    Text11,       // line-start class 4
    Text12,       // keyword group 5
    Text13,       // keyword group 6
    Text14,       // keyword group 7
    Text15,       // keyword group 8
    Url,          // URLColor
    Mail,         // MailColor
    CurLine,      // CurLineColor: text of the caret line
    CurLineBk,    // CurLineColorBk: background of the caret line
    FindText,     // FindTextColor: occurrences of the highlight string
    SelText,      // SelTextColor: selected text
    Window2,      // WindowColor2: background of selected text
};
constexpr int kColourSlotCount = int(ColourSlot::Window2) + 1;

// TextColor<n> for n = 2..15.
constexpr ColourSlot textColourSlot(int n) { return ColourSlot(int(ColourSlot::Text2) + n - 2); }

// Stored values by slot; -1 (or any negative value) is "not set", other
// values are cut to 24 bits.
using StoredColours = std::array<int32_t, kColourSlotCount>;
StoredColours unsetColours();

// The desktop's colours that stand in for unset slots.
struct SystemColours {
    Colour windowText = rgb(0, 0, 0);
    Colour window = rgb(255, 255, 255);
    Colour buttonFace = rgb(240, 240, 240);
    Colour buttonShadow = rgb(160, 160, 160);
    Colour buttonHighlight = rgb(255, 255, 255);
    Colour buttonText = rgb(0, 0, 0);
};

// Attribute codes of the row attribute buffer (low 7 bits); bit 0x80 puts
// a cell on the caret-line background.
namespace attr {
constexpr uint8_t kText = 0;
constexpr uint8_t kSelection = 1;
constexpr uint8_t kComment = 2;
constexpr uint8_t kMark = 3;       // tab and full-width blank marks
constexpr uint8_t kKeyword1 = 4;
constexpr uint8_t kClass1 = 5;
constexpr uint8_t kClass2 = 6;
constexpr uint8_t kKeyword2 = 7;
constexpr uint8_t kKeyword3 = 8;
constexpr uint8_t kKeyword4 = 9;
constexpr uint8_t kClass3 = 10;
constexpr uint8_t kClass4 = 11;
constexpr uint8_t kUrl = 12;
constexpr uint8_t kMail = 13;
constexpr uint8_t kCaretLine = 14;
constexpr uint8_t kFound = 15;
constexpr uint8_t kKeyword5 = 16;  // .. kKeyword8 = 19
constexpr uint8_t kMark2 = 20;
constexpr uint8_t kLastCode = 20;
constexpr uint8_t kCodeMask = 0x7F;
constexpr uint8_t kCaretBackground = 0x80;

// Code of keyword group g (1..8) and of line-start class k (1..4).
constexpr uint8_t keywordCode(int g) {
    constexpr uint8_t codes[8] = {kKeyword1, kKeyword2, kKeyword3, kKeyword4, 16, 17, 18, 19};
    return codes[(g - 1) & 7];
}
constexpr uint8_t classCode(int k) {
    constexpr uint8_t codes[4] = {kClass1, kClass2, kClass3, kClass4};
    return codes[(k - 1) & 3];
}
}  // namespace attr

class ColourTable {
public:
    // Every slot unset, with the default system colours.
    ColourTable() : ColourTable(resolve(unsetColours(), SystemColours{})) {}
    static ColourTable resolve(const StoredColours& stored, const SystemColours& system = {});

    Colour colour(ColourSlot s) const { return m_colours[std::size_t(s)]; }
    // The stored value was set (not -1).
    bool isSet(ColourSlot s) const { return m_set[std::size_t(s)]; }
    // A feature painted in this slot is on: its colour differs from TextColor.
    bool differsFromText(ColourSlot s) const { return colour(s) != colour(ColourSlot::Text); }

    // Slot of keyword group g (1..8) and of line-start class k (1..4).
    static ColourSlot keywordSlot(int g);
    static ColourSlot classSlot(int k);

    // Feature switches.
    bool keywordGroupColoured(int g) const { return differsFromText(keywordSlot(g)); }
    bool commentsColoured() const { return differsFromText(ColourSlot::Text4); }
    bool classColoured(int k) const { return differsFromText(classSlot(k)); }
    bool urlsColoured() const { return differsFromText(ColourSlot::Url); }
    bool mailColoured() const { return differsFromText(ColourSlot::Mail); }
    bool foundColoured() const { return differsFromText(ColourSlot::FindText); }
    // The caret line changes the text colour, the background, or both.
    bool caretLineText() const { return differsFromText(ColourSlot::CurLine); }
    bool caretLineBackground() const { return colour(ColourSlot::CurLineBk) != colour(ColourSlot::Window); }

    // Colours of an attribute byte. Selection and caret-line codes carry
    // their own background; every other code is drawn on WindowColor, or
    // on CurLineColorBk when bit 0x80 is set. Codes beyond 20 draw as text.
    Colour foreground(uint8_t attribute) const { return m_foreground[attribute & attr::kCodeMask]; }
    Colour background(uint8_t attribute) const;

    // The ruler: ink for ticks and digits (RulaColor, else the button text
    // colour), and the face, shadow and highlight of the raised style.
    Colour rulerInk() const { return m_rulerInk; }
    Colour rulerFace() const { return m_system.buttonFace; }
    Colour rulerShadow() const { return m_system.buttonShadow; }
    Colour rulerHighlight() const { return m_system.buttonHighlight; }

private:
    struct Blank {};
    explicit ColourTable(Blank) {}

    std::array<Colour, kColourSlotCount> m_colours{};
    std::array<bool, kColourSlotCount> m_set{};
    std::array<Colour, 128> m_foreground{};
    SystemColours m_system;
    Colour m_rulerInk = 0;
};

}  // namespace orvex
