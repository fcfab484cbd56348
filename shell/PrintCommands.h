#pragma once
// The print commands of the frame: page layout (32776), printer set-up
// (57606), print with and without the print dialog (57607, 57608), preview
// (57609), the continuation of one-page and two-sided printing (33082) and
// clipboard print (32873, its second half 32874 in the new document).
#include <memory>
#include <optional>

#include "common/commands/CommandTable.h"
#include "print/PrintSequence.h"
#include "shell/PrintHost.h"

namespace orvex::shell {

class EditorSession;
class EditorWindow;

class PrintCommands final : public CommandTarget {
public:
    explicit PrintCommands(EditorSession& session) : m_session(session) {}

    bool onCommand(CommandId id) override { return commandTable().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& state) override { return commandTable().update(*this, id, state); }
    static const CommandTable<PrintCommands>& commandTable();

    void setHost(PrintHost* host) { m_host = host; }
    PrintHost* host() const { return m_host; }

    // The document of a window as the print job sees it.
    static print::PrintDocument documentOf(EditorWindow& window);
    // The format a print of `window` uses: the current one, or the one its
    // extension chooses when PrnExtSel is on (which becomes current).
    const settings::PageLayoutFormat& formatFor(EditorWindow& window);

    // 32874 in the new document's window: titles it, pastes the clipboard,
    // prints it without page range, marks it unmodified and closes it.
    void printClipboardInto(EditorWindow& window);

    // The sequence of the print command under way (tests).
    const std::optional<print::PrintSequence>& sequence() const { return m_sequence; }

private:
    void cmdPageLayout(CommandId id);
    void cmdPrinterSetup(CommandId id);
    void cmdPrint(CommandId id);
    void cmdPreview(CommandId id);
    void cmdContinue(CommandId id);
    void cmdClipboardPrint(CommandId id);
    void cmdClipboardPrintView(CommandId id);
    void updateWithHost(CommandId id, CommandState& state);
    void updateWithDocument(CommandId id, CommandState& state);
    void updateContinue(CommandId id, CommandState& state);
    void updateClipboardPrint(CommandId id, CommandState& state);

    // Runs one job of the print command on `window`.
    void runJob(EditorWindow& window, bool showDialog, bool allowRange);
    // After a job: the question of one-page or two-sided printing, and on
    // OK the continuation.
    void afterJob();
    void preview(EditorWindow& window);

    EditorSession& m_session;
    PrintHost* m_host = nullptr;
    std::optional<print::PrintSequence> m_sequence;
    print::PrintSequence::Next m_next = print::PrintSequence::Next::Done;
    EditorWindow* m_jobWindow = nullptr;  // the window of the print command under way
    bool m_jobAllowsRange = true;
};

}  // namespace orvex::shell
