#pragma once
// Ruled-line mode of one view: the mode's toggle (32921, a global flag
// shared by every view, checked while on) and the drag that draws or erases
// lines and boxes of ruled-line characters while the mode is on. Ctrl at
// the release draws (thick with the Shift state, half-width characters with
// EKeisen), Shift alone erases, neither only places the caret. A draw or
// erase replaces the rows it touches in one undoable edit and leaves the
// caret at the start of the top row. Attached to its view for the view's
// life, as its command extension and its drag handler.
#include <optional>

#include "common/commands/CommandTable.h"
#include "display/RuledLines.h"
#include "text/DragHandler.h"
#include "text/TextPosition.h"

namespace orvex {

class CLuView;
struct MouseEvent;

class RuledLineCommands final : public CommandTarget, public DragHandler {
public:
    explicit RuledLineCommands(CLuView& view);
    ~RuledLineCommands() override;
    RuledLineCommands(const RuledLineCommands&) = delete;
    RuledLineCommands& operator=(const RuledLineCommands&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<RuledLineCommands>& commandTable();
    CommandGate commandGate() const;

    // ---- Drag handler
    bool dragPressed(const MouseEvent& e) override;
    void dragMoved(const MouseEvent& e) override;
    void dragReleased(const MouseEvent& e) override;
    std::optional<DragOutline> dragOutline() const override;

    // ---- Operations (the drag's work; macros and tests call them too)
    // Draws the shape with the pen, or erases it; one edit. False when
    // nothing changed (a read-only document).
    bool apply(const ruled::Shape& shape, ruled::Pen pen, bool erase);

private:
    void cmdToggleMode(CommandId id);
    void updateToggleMode(CommandId id, CommandState& state);

    // The cell under a mouse position: its row (clamped into the text) and
    // display column (at most the wrap width minus 2).
    struct Cell {
        int32_t row;
        int32_t column;
    };
    Cell cellAt(const MouseEvent& e) const;
    ruled::Pen penFor(bool thick) const;

    CLuView& m_view;
    std::optional<Cell> m_pressed;  // the drag's first cell while it is held
    Cell m_current{};
};

}  // namespace orvex
