#include "transform/ViewFormatting.h"

#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "common/platform/Clipboard.h"
#include "common/strings/StringTable.h"
#include "settings/EditorProfile.h"
#include "text/CLuView.h"
#include "transform/FormatPresets.h"
#include "transform/Formatter.h"
#include "transform/TransformDialogs.h"
#include "transform/ViewEditRange.h"

namespace orvex::transform {

namespace {

// [start, content end) of logical line n.
TextRange lineRange(const TextStore& t, int32_t line) {
    const int32_t begin = t.row(t.rowOfLine(line)).offset;
    int32_t end = begin;
    while (end < t.length() && !sjis::endsContent(t.bytes()[end])) ++end;
    return {begin, end};
}

bool blankLine(const TextStore& t, TextRange r) {
    for (int32_t i = r.begin; i < r.end;) {
        const uint8_t* p = t.bytes() + i;
        const int len = sjis::step(p);
        if (!(p[0] == ' ' || p[0] == '\t' || (len == 2 && p[0] == 0x81 && p[1] == 0x40))) return false;
        i += len;
    }
    return true;
}

}  // namespace

ViewFormatting::ViewFormatting(CLuView& view, const TransformServices& services)
    : m_view(view), m_services(services) {
    m_view.addCommandExtension(this);
}

ViewFormatting::~ViewFormatting() { m_view.removeCommandExtension(this); }

const CommandTable<ViewFormatting>& ViewFormatting::commandTable() {
    using F = ViewFormatting;
    static const CommandTable<ViewFormatting> table{
        {cmd::kFormatSheet, cmd::kFormatSheet, &F::cmdSheet, &F::updateDialog},
        {cmd::kFormattedPaste, cmd::kFormattedPaste, &F::cmdPreset, &F::updatePaste},
        {cmd::kFormat, cmd::kFormat, &F::cmdPreset, nullptr},
        {cmd::kClipboardFormat, cmd::kClipboardFormat, &F::cmdClipboardFormat, &F::updatePaste},
        {cmd::kClipboardFormatView, cmd::kClipboardFormatView, &F::cmdClipboardFormatView, nullptr},
        {32974, 32975, &F::cmdPreset, nullptr},
        {32980, 32981, &F::cmdPreset, nullptr},
        {cmd::kFormatMenu, cmd::kFormatMenu, &F::cmdPresetMenu, &F::updateDialog},
        {33047, 33051, &F::cmdPreset, nullptr},
        {33112, 33114, &F::cmdPreset, &F::updatePaste},
        {cmd::kFormattedPasteMenu, cmd::kFormattedPasteMenu, &F::cmdPresetMenu, &F::updateDialog},
    };
    return table;
}

CommandGate ViewFormatting::commandGate() const { return m_view.commandGate(); }

bool ViewFormatting::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ViewFormatting::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void ViewFormatting::updatePaste(CommandId, CommandState& s) {
    s.enabled = m_services.clipboard && m_services.clipboard->hasText();
}

void ViewFormatting::updateDialog(CommandId, CommandState& s) { s.enabled = m_services.dialogs != nullptr; }

std::optional<std::string> ViewFormatting::clipboardText() const {
    if (!m_services.clipboard) return std::nullopt;
    return m_services.clipboard->textFor(m_view.document().privateChars());
}

bool ViewFormatting::runPreset(int n, const std::optional<std::string>& text, bool interactive) {
    if (n < 0 || n >= settings::kFormatPresetCount) return false;
    settings::EditorProfile& profile = *m_services.profile;
    settings::FormatPreset& preset = profile.presets[size_t(n)];
    if (interactive && preset.wrapInf && m_services.dialogs) {
        FormatWidthData d{std::clamp(preset.seikei, 1, 250), profile.options.numByWchar != 0,
                          std::max(1, m_view.visibleColumns() - 1)};
        if (!m_services.dialogs->askFormatWidth(d)) return false;
        preset.seikei = std::clamp(d.width, 1, 250);
        profile.options.numByWchar = d.numByWchar ? 1 : 0;
    }
    CLuDoc& doc = m_view.document();
    if (preset.modifyAutoCR && m_services.setLineMax) m_services.setLineMax(doc.fileTypeMode(), preset.seikei);

    const TextStore& t = doc.text();
    const settings::EditorOptions& o = profile.options;
    const Formatter formatter(preset, t.tabWidth(), o.kinsokuStr1, o.kinsokuStr2);
    if (text) {
        if (text->empty()) return false;
        TextRange at = selectionRange(m_view);
        if (at.empty() || m_view.boxSelection()) at.begin = at.end = caretOffset(m_view);
        return replaceRange(m_view, at, formatter.format(*text), at.begin);
    }
    TextRange r = selectionRange(m_view);
    if (r.empty()) {
        const int32_t line = t.row(m_view.cursor().row).line;
        switch (std::clamp(preset.seikeiParagraph, 0, 2)) {
            case 0: r = {0, t.length()}; break;
            case 1: r = lineRange(t, line); break;
            default: {
                // The caret's paragraph: the lines around it up to blank lines.
                TextRange cur = lineRange(t, line);
                if (blankLine(t, cur)) {
                    r = cur;
                    break;
                }
                int32_t first = line, last = line;
                while (first > 0 && !blankLine(t, lineRange(t, first - 1))) --first;
                while (last + 1 < t.lineCount() && !blankLine(t, lineRange(t, last + 1))) ++last;
                r = {lineRange(t, first).begin, lineRange(t, last).end};
                break;
            }
        }
    }
    if (r.empty()) return false;
    const std::string out = formatter.format(t.view().substr(size_t(r.begin), size_t(r.end - r.begin)));
    return replaceRange(m_view, r, out, r.begin);
}

void ViewFormatting::cmdPreset(CommandId id) {
    const std::optional<PresetCommand> pc = presetOfCommand(id);
    if (!pc) return;
    if (pc->paste) {
        const std::optional<std::string> text = clipboardText();
        if (!text || text->empty()) return;
        runPreset(pc->preset, text, true);
    } else {
        runPreset(pc->preset, std::nullopt, true);
    }
}

void ViewFormatting::cmdPresetMenu(CommandId id) {
    if (!m_services.dialogs) return;
    const bool paste = id == cmd::kFormattedPasteMenu;
    const int* list = paste ? pastePresets() : formatPresets();
    const int count = paste ? 4 : 10;
    std::vector<std::string> titles;
    for (int k = 0; k < count; ++k) titles.push_back(presetTitle(m_services.profile->presets[size_t(list[k])], list[k]));
    const int chosen = m_services.dialogs->choosePreset(titles);
    if (chosen < 0 || chosen >= count) return;
    // The chosen command runs through this target's gate, so that it is
    // refused on a read-only document and recorded by its own id.
    onCommand(commandOfPreset(list[chosen]));
}

void ViewFormatting::cmdSheet(CommandId) {
    if (!m_services.dialogs) return;
    settings::EditorProfile& profile = *m_services.profile;
    FormatSheetData d;
    d.presets = profile.presets;
    d.numByWchar = profile.options.numByWchar != 0;
    d.page = std::clamp(m_services.state->sheetPage, 0, settings::kFormatPresetCount - 1);
    const SheetAction action = m_services.dialogs->runFormatSheet(d);
    if (action == SheetAction::Cancel) return;
    // Values the pages could not refuse are kept within their ranges.
    for (settings::FormatPreset& p : d.presets) {
        p.seikei = std::clamp(p.seikei, 1, 250);
        p.seikeiKinsokuWrap = std::clamp(p.seikeiKinsokuWrap, 0, 20);
        p.seikeiParagraph = std::clamp(p.seikeiParagraph, 0, 2);
        if (!(p.seikeiDelSpc & 1)) p.seikeiDelSpc = 0;
    }
    profile.presets = d.presets;
    profile.options.numByWchar = d.numByWchar ? 1 : 0;
    const int page = std::clamp(d.page, 0, settings::kFormatPresetCount - 1);
    m_services.state->sheetPage = page;
    if (action == SheetAction::Run) {
        // The shown preset runs on this view as its command would.
        onCommand(commandOfPreset(page));
    } else if (action == SheetAction::FormatClipboard) {
        cmdClipboardFormat(cmd::kClipboardFormat);
    }
}

void ViewFormatting::cmdClipboardFormat(CommandId) {
    if (m_services.formatClipboard) {
        m_services.formatClipboard();
        return;
    }
    // Without a session hook: preset 0 over the clipboard text, back to the
    // clipboard.
    if (!m_services.clipboard) return;
    const std::optional<std::string> text = m_services.clipboard->text();
    if (!text || text->empty()) return;
    settings::EditorProfile& profile = *m_services.profile;
    const Formatter f(profile.presets[0], m_view.document().text().tabWidth(), profile.options.kinsokuStr1,
                      profile.options.kinsokuStr2);
    m_services.clipboard->setText(f.format(*text));
}

void ViewFormatting::cmdClipboardFormatView(CommandId) {
    // This view's document was made for the clipboard: it takes the text,
    // formats it with preset 0 as the command would (questions included),
    // gives the result back to the clipboard and goes away unmodified.
    CLuDoc& doc = m_view.document();
    doc.setTitleBase(std::string(strings::text(strings::kClipboardFormatTitle)), false);
    const std::optional<std::string> text = clipboardText();
    if (text && !text->empty() && doc.editable()) {
        m_view.insertText(*text);
        m_view.selectRange(0, doc.text().length());
        runPreset(0, std::nullopt, true);
        m_view.selectRange(0, doc.text().length());
        if (m_services.clipboard) m_services.clipboard->setTextFrom(m_view.selectedText(), false, doc.privateChars());
    }
    doc.setModified(false);
    if (m_services.closeView) m_services.closeView(m_view);
}

}  // namespace orvex::transform
