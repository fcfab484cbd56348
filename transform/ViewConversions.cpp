#include "transform/ViewConversions.h"

#include <algorithm>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/Cp932Mapping.h"
#include "common/codepage/SjisWalk.h"
#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "settings/EditorProfile.h"
#include "transform/DateTimeText.h"
#include "transform/SortLines.h"
#include "transform/TextEdits.h"
#include "transform/TransformDialogs.h"
#include "transform/ViewEditRange.h"
#include "text/CLuView.h"

namespace orvex::transform {

namespace {

ConvertMode modeOf(CommandId id) {
    switch (id) {
        case cmd::kToUpperCase: return ConvertMode::Upper;
        case cmd::kToLowerCase: return ConvertMode::Lower;
        case cmd::kToHalfWidth: return ConvertMode::HalfAll;
        case cmd::kToHalfWidthAlnum: return ConvertMode::HalfLatin;
        case cmd::kFullBlankToHalf: return ConvertMode::HalfBlank;
        case cmd::kFullKanaToHalfKana: return ConvertMode::HalfKana;
        case cmd::kToFullWidth: return ConvertMode::FullAll;
        case cmd::kKatakanaToHiragana: return ConvertMode::FullHiragana;
        case cmd::kHalfKanaToFullKana: return ConvertMode::FullKatakana;
        case cmd::kHalfBlankToFull: return ConvertMode::FullBlank;
        default: return ConvertMode::WesternRepair;
    }
}

std::string_view textOf(const CLuView& view, TextRange r) {
    return view.document().text().view().substr(size_t(r.begin), size_t(r.end - r.begin));
}

// Entries of the Brakets setting: comma-separated.
std::vector<std::string> bracketEntries(std::string_view list) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t i = 0; i <= list.size();) {
        if (i == list.size() || list[i] == ',') {
            if (i > start) out.emplace_back(list.substr(start, i - start));
            start = ++i;
            continue;
        }
        i += size_t(sjis::pairStepWithin(list.data() + i, ptrdiff_t(list.size() - i)));
    }
    return out;
}

// The first two non-blank characters of a bracket entry.
bool bracketPair(std::string_view entry, std::string& open, std::string& close) {
    std::string* target = &open;
    for (size_t i = 0; i < entry.size();) {
        const int len = sjis::pairStepWithin(entry.data() + i, ptrdiff_t(entry.size() - i));
        const std::string_view c = entry.substr(i, size_t(len));
        i += size_t(len);
        if (c == " " || c == "\t" || c == "\x81\x40") continue;
        *target = std::string(c);
        if (target == &close) return true;
        target = &close;
    }
    return false;
}

}  // namespace

ViewConversions::ViewConversions(CLuView& view, const TransformServices& services)
    : m_view(view), m_services(services) {
    m_view.addCommandExtension(this);
}

ViewConversions::~ViewConversions() { m_view.removeCommandExtension(this); }

const CommandTable<ViewConversions>& ViewConversions::commandTable() {
    using V = ViewConversions;
    static const CommandTable<ViewConversions> table{
        {cmd::kToLowerCase, cmd::kToUpperCase, &V::cmdConvert, nullptr},
        {cmd::kTabsToBlanks, cmd::kBlanksToTabs, &V::cmdTabs, nullptr},
        {cmd::kIndent, cmd::kUnindent, &V::cmdIndent, nullptr},
        {cmd::kInsertDate, cmd::kInsertTime, &V::cmdDateTime, nullptr},
        {cmd::kToHalfWidth, cmd::kToFullWidth, &V::cmdConvert, nullptr},
        {cmd::kAlignLeft, cmd::kAlignRight, &V::cmdAlign, nullptr},
        {cmd::kHtmlToText, cmd::kHtmlToText, &V::cmdHtmlToText, nullptr},
        {cmd::kToHalfWidthAlnum, cmd::kKatakanaToHiragana, &V::cmdConvert, nullptr},
        {cmd::kHalfKanaToFullKana, cmd::kHalfKanaToFullKana, &V::cmdConvert, nullptr},
        {cmd::kFullBlankToHalf, cmd::kHalfBlankToFull, &V::cmdConvert, nullptr},
        {cmd::kFullKanaToHalfKana, cmd::kFullKanaToHalfKana, &V::cmdConvert, nullptr},
        {cmd::kRemoveLineEnds, cmd::kRemoveBlankLines, &V::cmdLineEnds, nullptr},
        {cmd::kCapitaliseWords, cmd::kCapitaliseSentences, &V::cmdCapitalise, nullptr},
        {cmd::kSqueezeBlankLines, cmd::kSqueezeBlankLines, &V::cmdLineEnds, nullptr},
        {cmd::kBreakAtWrap, cmd::kBreakAtWrap, &V::cmdBreakAtWrap, nullptr},
        {cmd::kInsertBrackets, cmd::kInsertBrackets, &V::cmdBrackets, &V::updateDialog},
        {cmd::kSort, cmd::kSort, &V::cmdSort, nullptr},
        {cmd::kInsertUnderline, cmd::kInsertUnderline, &V::cmdUnderline, nullptr},
        {cmd::kWesternFontRepair, cmd::kWesternFontRepair, &V::cmdConvert, nullptr},
        {cmd::kInsertHtmlBr, cmd::kInsertHtmlParagraph, &V::cmdHtmlTags, nullptr},
    };
    return table;
}

CommandGate ViewConversions::commandGate() const { return m_view.commandGate(); }

bool ViewConversions::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ViewConversions::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void ViewConversions::updateDialog(CommandId, CommandState& s) { s.enabled = m_services.dialogs != nullptr; }

int ViewConversions::tabWidth() const { return std::max(1, m_view.document().text().tabWidth()); }

template <class Fn>
void ViewConversions::rewriteBoxParts(Fn rewrite) {
    // One replacement from the first part to the last, with the text
    // between the parts copied as it is: one edit, one undo step.
    const TextStore& t = m_view.document().text();
    const std::vector<BoxRowPart> parts = m_view.selection().boxParts(t, m_view.availableRows());
    if (parts.empty()) return;
    const TextRange whole{t.offsetOf(parts.front().row, parts.front().from),
                          t.offsetOf(parts.back().row, parts.back().to)};
    std::string out;
    int32_t copied = whole.begin;
    for (const BoxRowPart& part : parts) {
        const TextRange r{t.offsetOf(part.row, part.from), t.offsetOf(part.row, part.to)};
        out.append(textOf(m_view, {copied, r.begin}));
        out += rewrite(textOf(m_view, r));
        copied = r.end;
    }
    replaceRange(m_view, whole, out, whole.begin);
}

void ViewConversions::convert(ConvertMode mode) {
    if (m_view.boxSelection() && m_view.hasSelection()) {
        rewriteBoxParts([mode](std::string_view s) { return convertText(s, mode); });
        return;
    }
    const TextRange sel = selectionRange(m_view);
    if (!sel.empty()) {
        replaceRange(m_view, sel, convertText(textOf(m_view, sel), mode), sel.begin);
        return;
    }
    // The character at the caret; the caret then moves past it.
    const TextStore& t = m_view.document().text();
    const int32_t at = caretOffset(m_view);
    if (at >= t.length()) return;
    const std::string_view rest = t.view().substr(size_t(at));
    TextRange unit{at, at + int32_t(unitLength(rest, 0, mode))};
    // A line end steps over its LFs too.
    if (sjis::isLineEndByte(t.bytes()[at])) unit.end = t.offsetOf(t.rowOfOffset(at) + 1, 0);
    const std::string out = convertText(textOf(m_view, unit), mode);
    replaceRange(m_view, unit, out, unit.begin + int32_t(out.size()));
}

void ViewConversions::cmdConvert(CommandId id) { convert(modeOf(id)); }

void ViewConversions::cmdCapitalise(CommandId id) {
    const bool words = id == cmd::kCapitaliseWords;
    if (m_view.boxSelection() && m_view.hasSelection()) {
        rewriteBoxParts([words](std::string_view s) { return words ? capitaliseWords(s) : capitaliseSentences(s); });
        return;
    }
    const TextRange sel = selectionRange(m_view);
    if (!sel.empty()) {
        const std::string_view text = textOf(m_view, sel);
        replaceRange(m_view, sel, words ? capitaliseWords(text) : capitaliseSentences(text), sel.begin);
        return;
    }
    const TextStore& t = m_view.document().text();
    const int32_t caret = caretOffset(m_view);
    int32_t at = caret;
    if (!words) {
        const TextRange line = wholeLines(m_view);
        at = line.begin + int32_t(sentenceStartBefore(textOf(m_view, line), size_t(caret - line.begin)));
    }
    if (at >= t.length() || sjis::endsContent(t.bytes()[at])) return;
    const TextRange unit{at, at + sjis::step(t.bytes() + at)};
    replaceRange(m_view, unit, convertText(textOf(m_view, unit), ConvertMode::Upper), caret);
}

void ViewConversions::cmdLineEnds(CommandId id) {
    const int keep = id == cmd::kRemoveLineEnds ? 0 : id == cmd::kRemoveBlankLines ? 1 : 2;
    const TextRange r = selectionOrAll(m_view);
    if (r.empty()) return;
    replaceRange(m_view, r, removeLineEnds(textOf(m_view, r), keep), r.begin);
}

void ViewConversions::cmdHtmlToText(CommandId) {
    const TextRange r = selectionOrAll(m_view);
    if (r.empty()) return;
    replaceRange(m_view, r, htmlToText(textOf(m_view, r)), r.begin);
}

void ViewConversions::cmdTabs(CommandId id) {
    const TextRange sel = selectionRange(m_view);
    if (sel.empty()) return;
    const TextStore& t = m_view.document().text();
    const int32_t lineBegin = t.row(t.firstRowOfLine(t.rowOfOffset(sel.begin))).offset;
    const std::string_view text = t.view().substr(size_t(lineBegin), size_t(sel.end - lineBegin));
    const size_t from = size_t(sel.begin - lineBegin);
    const std::string out =
        id == cmd::kTabsToBlanks ? tabsToBlanks(text, from, tabWidth()) : blanksToTabs(text, from, tabWidth());
    replaceRange(m_view, sel, out, sel.begin);
}

void ViewConversions::cmdIndent(CommandId id) {
    const TextRange r = wholeLines(m_view);
    const std::string_view text = textOf(m_view, r);
    const std::string out = id == cmd::kIndent ? indentLines(text, tabWidth(), m_view.modeOptions().tabCode == 0)
                                               : unindentLines(text, tabWidth());
    replaceRange(m_view, r, out, r.begin);
}

void ViewConversions::cmdAlign(CommandId id) {
    const Align how = id == cmd::kAlignLeft ? Align::Left : id == cmd::kAlignCentre ? Align::Centre : Align::Right;
    const TextRange r = wholeLines(m_view);
    replaceRange(m_view, r, alignLines(textOf(m_view, r), m_view.modeOptions().wrapNum, tabWidth(), how), r.begin);
}

void ViewConversions::cmdSort(CommandId) {
    const TextRange sel = selectionRange(m_view);
    if (sel.empty()) return;
    settings::EditorOptions& o = m_services.profile->options;
    if (m_services.dialogs) {
        SortDialogData d{o.sortType, o.sortField, o.sortPunct, o.sortQuot, o.sortColumn, (o.sortFlags & 1) != 0};
        if (!m_services.dialogs->askSort(d)) return;
        o.sortType = std::clamp(d.type, 0, 2);
        o.sortField = std::max(1, d.field);
        o.sortPunct = d.punct;
        o.sortQuot = d.quote;
        o.sortColumn = std::max(1, d.column);
        o.sortFlags = (o.sortFlags & ~1) | (d.caseSensitive ? 1 : 0);
    }
    const std::string_view text = textOf(m_view, sel);
    if (splitLines(text).size() < 2) return;
    SortOptions s;
    s.type = std::clamp(o.sortType, 0, 2);
    s.field = std::clamp(o.sortField, 1, 1 << 20);
    s.separator = o.sortPunct.empty() ? ',' : o.sortPunct[0];
    s.quote = o.sortQuot.empty() ? '\0' : o.sortQuot[0];
    s.column = std::clamp(o.sortColumn, 1, 1 << 20);
    s.caseSensitive = (o.sortFlags & 1) != 0;
    replaceRange(m_view, sel, sortLines(text, s, tabWidth()), sel.begin);
}

void ViewConversions::cmdBreakAtWrap(CommandId) {
    // Every soft wrap of the selected lines (or of the whole text) becomes
    // a CR LF.
    const TextStore& t = m_view.document().text();
    const TextRange r = m_view.hasSelection() ? wholeLines(m_view) : TextRange{0, t.length()};
    std::string out;
    int32_t copied = r.begin;
    for (int32_t row = t.rowOfOffset(r.begin); row + 1 < t.rowCount(); ++row) {
        const Row rec = t.row(row);
        if (rec.offset >= r.end) break;
        if (!(rec.flags & rowflag::kSoftWrap)) continue;
        const int32_t next = t.row(row + 1).offset;
        if (next > r.end) break;
        out.append(t.view().substr(size_t(copied), size_t(next - copied)));
        out += "\r\n";
        copied = next;
    }
    if (out.empty()) return;
    out.append(t.view().substr(size_t(copied), size_t(r.end - copied)));
    replaceRange(m_view, r, out, r.begin);
}

void ViewConversions::cmdHtmlTags(CommandId id) {
    const TextStore& t = m_view.document().text();
    const TextRange r = m_view.hasSelection() ? wholeLines(m_view) : TextRange{0, t.length()};
    const std::string_view text = textOf(m_view, r);
    if (text.empty()) return;
    replaceRange(m_view, r, id == cmd::kInsertHtmlBr ? insertHtmlBreaks(text) : insertHtmlParagraphs(text), r.begin);
}

void ViewConversions::cmdDateTime(CommandId id) {
    std::tm now{};
    if (m_services.now) {
        now = m_services.now();
    } else {
        const std::time_t t = std::time(nullptr);
        localtime_r(&t, &now);
    }
    const settings::EditorOptions& o = m_services.profile->options;
    m_view.typeText(id == cmd::kInsertDate ? dateText(now, o.insDateYoubi) : timeText(now, o.insTimeType));
}

void ViewConversions::cmdBrackets(CommandId) {
    if (!m_services.dialogs) return;
    settings::EditorOptions& o = m_services.profile->options;
    BracketDialogData d;
    d.entries = bracketEntries(o.brakets);
    d.defaults = bracketEntries(settings::EditorOptions().brakets);
    d.chosen = std::clamp(m_services.state->lastBracket, 0, std::max(0, int(d.entries.size()) - 1));
    if (!m_services.dialogs->askBracket(d)) return;
    if (d.reset) o.brakets = settings::EditorOptions().brakets;
    const std::vector<std::string>& entries = d.reset ? d.defaults : d.entries;
    if (d.chosen < 0 || d.chosen >= int(entries.size())) return;
    m_services.state->lastBracket = d.chosen;
    std::string open, close;
    if (!bracketPair(entries[size_t(d.chosen)], open, close)) return;
    const TextRange sel = selectionRange(m_view);
    if (sel.empty() || m_view.boxSelection()) {
        // Both at the caret; the caret ends between them.
        const int32_t at = m_view.hasSelection() ? sel.begin : caretOffset(m_view);
        m_view.placeCursorAtOffset(at);
        if (m_view.insertText(open + close) < 0) return;
        m_view.placeCursorAtOffset(at + int32_t(open.size()));
    } else {
        // Closing bracket at the end first, so that the start stays put;
        // both are one undo step.
        m_view.placeCursorAtOffset(sel.end);
        if (m_view.insertText(close) < 0) return;
        m_view.placeCursorAtOffset(sel.begin);
        m_view.insertText(open, true, editflag::kRecord | editflag::kGrouped);
        m_view.placeCursorAtOffset(sel.end + int32_t(open.size() + close.size()));
    }
    m_view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

void ViewConversions::cmdUnderline(CommandId) {
    // A line of the underline character as wide as the caret's line, put in
    // below it.
    const std::string& u = m_services.profile->options.uLineChar;
    if (u.size() != 1 || uint8_t(u[0]) < 0x20 || (uint8_t(u[0]) >= 0x80 && !sjis::isHalfWidthKana(uint8_t(u[0])))) {
        if (m_services.messages) m_services.messages->showId(strings::kSingleByteRequired, MsgIcon::Exclamation);
        return;
    }
    const TextRange line = wholeLines(m_view);
    const int32_t cols = std::max(1, columnsOf(textOf(m_view, line), tabWidth()));
    const std::string text = "\r\n" + std::string(size_t(cols), u[0]);
    m_view.placeCursorAtOffset(line.end);
    if (m_view.insertText(text) < 0) return;
    m_view.placeCursorAtOffset(line.end + int32_t(text.size()));
    m_view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
}

}  // namespace orvex::transform
