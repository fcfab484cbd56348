#pragma once
// The character conversions and insertions of one editor view: the range
// converter (case, width, kana, Western repair), capitalisation, line-end
// and blank-line removal, HTML, tabs and blanks, indentation, alignment,
// sort, brackets, underline, and the date and time. A command target of its
// own, attached to its view (CLuView::addCommandExtension).
//
// Every rewriting command replaces its range in one undoable edit and
// leaves the caret at the start of the rewritten range (the range
// converter without a selection: after the converted character, so that
// repeating it walks along the line). Recording into key macros is the
// command gate's, by the ids' flags.
#include "common/commands/CommandTable.h"
#include "transform/CharConvert.h"
#include "transform/TransformServices.h"

namespace orvex {
class CLuView;
}

namespace orvex::transform {

class ViewConversions final : public CommandTarget {
public:
    ViewConversions(CLuView& view, const TransformServices& services);
    ~ViewConversions() override;
    ViewConversions(const ViewConversions&) = delete;
    ViewConversions& operator=(const ViewConversions&) = delete;

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<ViewConversions>& commandTable();
    CommandGate commandGate() const;

    // The range converter on the selection, or on the character at the
    // caret (the operation behind the mode commands).
    void convert(ConvertMode mode);

private:
    void cmdConvert(CommandId id);
    void cmdCapitalise(CommandId id);
    void cmdLineEnds(CommandId id);
    void cmdHtmlToText(CommandId id);
    void cmdTabs(CommandId id);
    void cmdIndent(CommandId id);
    void cmdAlign(CommandId id);
    void cmdSort(CommandId id);
    void cmdBreakAtWrap(CommandId id);
    void cmdHtmlTags(CommandId id);
    void cmdDateTime(CommandId id);
    void cmdBrackets(CommandId id);
    void cmdUnderline(CommandId id);
    void updateDialog(CommandId id, CommandState& s);

    // The selection of a box: each row's part rewritten, as one undo step.
    template <class Fn>
    void rewriteBoxParts(Fn rewrite);
    int tabWidth() const;

    CLuView& m_view;
    TransformServices m_services;
};

}  // namespace orvex::transform
