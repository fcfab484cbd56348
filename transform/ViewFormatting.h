#pragma once
// Formatting on one editor view: the presets "整形(1)".."整形(10)", the
// formatted pastes, the preset menus, the formatting sheet (32872) and the
// clipboard formatting (32919). A command target of its own, attached to
// its view.
#include <optional>
#include <string>

#include "common/commands/CommandTable.h"
#include "transform/TransformServices.h"

namespace orvex {
class CLuView;
}

namespace orvex::transform {

class ViewFormatting final : public CommandTarget {
public:
    ViewFormatting(CLuView& view, const TransformServices& services);
    ~ViewFormatting() override;
    ViewFormatting(const ViewFormatting&) = delete;
    ViewFormatting& operator=(const ViewFormatting&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<ViewFormatting>& commandTable();
    CommandGate commandGate() const;

    // Runs preset n (0-13). With text: formats it and inserts the result at
    // the caret (formatted paste). Without: formats the selection, or the
    // range the preset names, and replaces it. interactive: the preset may
    // ask for the width. False when nothing was done.
    bool runPreset(int preset, const std::optional<std::string>& text, bool interactive);

private:
    void cmdPreset(CommandId id);
    void cmdPresetMenu(CommandId id);
    void cmdSheet(CommandId id);
    void cmdClipboardFormat(CommandId id);
    void cmdClipboardFormatView(CommandId id);
    void updatePaste(CommandId id, CommandState& s);
    void updateDialog(CommandId id, CommandState& s);
    std::optional<std::string> clipboardText() const;

    CLuView& m_view;
    TransformServices m_services;
};

}  // namespace orvex::transform
