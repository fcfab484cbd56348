#include "text/RuledLineCommands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/CLuView.h"

namespace orvex {

RuledLineCommands::RuledLineCommands(CLuView& view) : m_view(view) {
    m_view.addCommandExtension(this);
    m_view.setDragHandler(this);
}

RuledLineCommands::~RuledLineCommands() {
    if (m_view.dragHandler() == this) m_view.setDragHandler(nullptr);
    m_view.removeCommandExtension(this);
}

const CommandTable<RuledLineCommands>& RuledLineCommands::commandTable() {
    using R = RuledLineCommands;
    static const CommandTable<R> table{
        {cmd::kRuledLineMode, cmd::kRuledLineMode, &R::cmdToggleMode, &R::updateToggleMode},
    };
    return table;
}

CommandGate RuledLineCommands::commandGate() const { return m_view.commandGate(); }

bool RuledLineCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool RuledLineCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void RuledLineCommands::cmdToggleMode(CommandId) {
    EditorState& s = m_view.state();
    s.ruledLineMode = !s.ruledLineMode;
}

void RuledLineCommands::updateToggleMode(CommandId, CommandState& state) {
    state.enabled = true;
    state.checked = m_view.state().ruledLineMode;
}

ruled::Pen RuledLineCommands::penFor(bool thick) const {
    if (m_view.globalOptions().eKeisen) return ruled::Pen::HalfWidth;
    return thick ? ruled::Pen::Thick : ruled::Pen::Thin;
}

RuledLineCommands::Cell RuledLineCommands::cellAt(const MouseEvent& e) const {
    const int32_t lastRow = std::max(0, m_view.availableRows() - 1);
    const int32_t maxColumn = std::max(0, m_view.document().text().wrapWidth() - 2);
    return {std::clamp(e.row, 0, lastRow), std::clamp(e.column, 0, maxColumn)};
}

bool RuledLineCommands::dragPressed(const MouseEvent& e) {
    if (!m_view.state().ruledLineMode) return false;
    m_pressed = cellAt(e);
    m_current = *m_pressed;
    if (m_view.context().host) m_view.context().host->overlayChanged();
    return true;
}

void RuledLineCommands::dragMoved(const MouseEvent& e) {
    if (!m_pressed) return;
    const Cell c = cellAt(e);
    if (c.row == m_current.row && c.column == m_current.column) return;
    m_current = c;
    if (m_view.context().host) m_view.context().host->overlayChanged();
}

std::optional<DragOutline> RuledLineCommands::dragOutline() const {
    if (!m_pressed) return std::nullopt;
    const ruled::Pen pen = penFor(false);
    const ruled::Shape s = ruled::shapeBetween(m_pressed->row, m_pressed->column, m_current.row, m_current.column, pen);
    DragOutline o;
    o.kind = s.horizontal() ? DragOutline::Kind::HorizontalLine
             : s.vertical() ? DragOutline::Kind::VerticalLine
                            : DragOutline::Kind::Box;
    o.topRow = s.topRow;
    o.bottomRow = s.bottomRow + 1;
    o.leftColumn = s.leftColumn;
    o.rightColumn = s.rightColumn + ruled::cellWidth(pen);
    o.cellColumns = ruled::cellWidth(pen);
    return o;
}

void RuledLineCommands::dragReleased(const MouseEvent& e) {
    if (!m_pressed) return;
    const Cell from = *m_pressed;
    m_pressed.reset();
    m_current = cellAt(e);
    if (m_view.context().host) m_view.context().host->overlayChanged();
    const bool shiftState = e.shift || m_view.state().selectionMode;
    if (e.ctrl || shiftState) {
        const ruled::Pen pen = penFor(e.ctrl && shiftState);
        apply(ruled::shapeBetween(from.row, from.column, m_current.row, m_current.column, pen), pen, !e.ctrl);
        return;
    }
    // Neither key: the caret goes where an ordinary click puts it.
    const TextStore& t = m_view.document().text();
    const ColumnHit h =
        t.byteColumnAt(m_current.row, m_current.column, false, m_view.document().text().wrapWidth(), m_view.freeCursorOn(m_current.row));
    m_view.clearSelection();
    m_view.moveTo(m_current.row, h.byteColumn);
}

bool RuledLineCommands::apply(const ruled::Shape& shape, ruled::Pen pen, bool erase) {
    CLuDoc& doc = m_view.document();
    if (!doc.editable()) return false;
    const TextStore& t = doc.text();
    const int32_t last = std::max(0, m_view.availableRows() - 1);
    const int32_t top = std::clamp(shape.topRow, 0, last);
    const int32_t bottom = std::clamp(shape.bottomRow, top, last);
    ruled::Shape s = shape;
    s.topRow = top;
    s.bottomRow = bottom;

    // Each row's content, and what lies between one row's content and the
    // next row (its line end, or nothing after a wrapped row).
    std::vector<std::string_view> rows;
    std::vector<std::string_view> between;
    const std::string_view text = t.view();
    for (int32_t r = top; r <= bottom; ++r) {
        const Row row = t.row(r);
        rows.push_back(text.substr(size_t(row.offset), size_t(t.endColumn(r))));
        if (r < bottom) {
            const int32_t contentEnd = row.offset + t.endColumn(r);
            between.push_back(text.substr(size_t(contentEnd), size_t(t.row(r + 1).offset - contentEnd)));
        }
    }
    const std::vector<std::string> drawn =
        erase ? ruled::eraseShape(rows, s, pen, t.tabWidth()) : ruled::drawShape(rows, s, pen, t.tabWidth());
    std::string replacement;
    for (size_t i = 0; i < drawn.size(); ++i) {
        replacement += drawn[i];
        if (i < between.size()) replacement += between[i];
    }
    const int32_t start = t.row(top).offset;
    const int32_t end = t.row(bottom).offset + t.endColumn(bottom);

    m_view.clearSelection();
    m_view.placeCursor(top, 0);
    if (m_view.replaceText(replacement, end - start) < 0) return false;
    m_view.moveTo(top, 0);
    return true;
}

}  // namespace orvex
