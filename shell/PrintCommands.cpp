#include "shell/PrintCommands.h"

#include <ctime>

#include "common/codepage/Cp932.h"
#include "common/platform/Clipboard.h"
#include "common/platform/MessageBoxes.h"
#include "common/strings/StringTable.h"
#include "print/FormatByExtension.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "text/CLuDoc.h"

namespace orvex::shell {

using print::PrintSequence;

const CommandTable<PrintCommands>& PrintCommands::commandTable() {
    using P = PrintCommands;
    static const CommandTable<P> table{
        {cmd::kPageLayout, cmd::kPageLayout, &P::cmdPageLayout, &P::updateWithHost},
        {cmd::kFilePrintSetup, cmd::kFilePrintSetup, &P::cmdPrinterSetup, &P::updateWithHost},
        {cmd::kFilePrint, cmd::kFilePrintDirect, &P::cmdPrint, &P::updateWithDocument},
        {cmd::kFilePrintPreview, cmd::kFilePrintPreview, &P::cmdPreview, &P::updateWithDocument},
        {cmd::kPrintContinue, cmd::kPrintContinue, &P::cmdContinue, &P::updateContinue},
        {cmd::kClipboardPrint, cmd::kClipboardPrint, &P::cmdClipboardPrint, &P::updateClipboardPrint},
        {cmd::kClipboardPrintView, cmd::kClipboardPrintView, &P::cmdClipboardPrintView, &P::updateWithDocument},
    };
    return table;
}

print::PrintDocument PrintCommands::documentOf(EditorWindow& window) {
    EditorDocument& d = window.document();
    print::PrintDocument doc;
    doc.store = &d.doc().text();
    doc.layout = d.doc().layoutOptions();
    doc.pathOrTitle = d.untitled() ? d.doc().title() : d.path();
    if (!d.untitled()) {
        const auto seconds = static_cast<std::time_t>(d.file().fileTime().seconds);
        std::tm local{};
        if (seconds > 0 && localtime_r(&seconds, &local)) doc.fileTime = local;
    }
    return doc;
}

const settings::PageLayoutFormat& PrintCommands::formatFor(EditorWindow& window) {
    settings::Settings& s = m_session.settings();
    if (s.print.prnExtSel && !window.document().untitled())
        if (const auto chosen = print::formatForPath(window.document().path(), s.pageLayouts)) s.print.printForm = *chosen;
    if (s.print.printForm < 0 || s.print.printForm >= settings::kPageLayoutCount) s.print.printForm = 0;
    return s.pageLayouts[size_t(s.print.printForm)];
}

void PrintCommands::updateWithHost(CommandId, CommandState& state) { state.enabled = m_host != nullptr; }

void PrintCommands::updateWithDocument(CommandId, CommandState& state) {
    state.enabled = m_host != nullptr && m_session.activeWindow() != nullptr;
}

void PrintCommands::updateContinue(CommandId, CommandState& state) {
    state.enabled = m_host != nullptr && m_sequence.has_value() && m_jobWindow != nullptr;
}

void PrintCommands::updateClipboardPrint(CommandId, CommandState& state) {
    const Clipboard* clipboard = m_session.platform().clipboard;
    state.enabled = m_host != nullptr && clipboard && clipboard->hasText();
}

void PrintCommands::cmdPageLayout(CommandId) {
    if (!m_host) return;
    switch (m_host->editPageLayouts(false)) {
    case PrintHost::LayoutAnswer::Preview:
        if (EditorWindow* w = m_session.activeWindow()) preview(*w);
        break;
    case PrintHost::LayoutAnswer::Print:
        if (EditorWindow* w = m_session.activeWindow()) {
            m_sequence.reset();
            runJob(*w, true, true);
        }
        break;
    default: break;
    }
}

void PrintCommands::cmdPrinterSetup(CommandId) {
    if (m_host) m_host->printerSetup();
}

void PrintCommands::cmdPrint(CommandId id) {
    EditorWindow* w = m_session.activeWindow();
    if (!m_host || !w) return;
    if (m_session.settings().print.prnInfo && m_host->editPageLayouts(true) != PrintHost::LayoutAnswer::Ok) return;
    m_sequence.reset();
    runJob(*w, id == cmd::kFilePrint, true);
}

void PrintCommands::cmdPreview(CommandId) {
    if (EditorWindow* w = m_session.activeWindow(); m_host && w) preview(*w);
}

void PrintCommands::preview(EditorWindow& window) {
    PrintJobRequest request;
    request.document = documentOf(window);
    request.format = formatFor(window);
    request.choosePages = [](int, int, const std::function<bool(int)>& exists) {
        std::vector<int> pages;
        for (int p = 1; exists(p); ++p) pages.push_back(p);
        return pages;
    };
    if (!m_host->preview(request) && m_session.platform().messages)
        m_session.platform().messages->showText(strings::kCommandFailed, MsgIcon::Exclamation);
}

void PrintCommands::runJob(EditorWindow& window, bool showDialog, bool allowRange) {
    m_jobWindow = &window;
    m_jobAllowsRange = allowRange;
    m_next = PrintSequence::Next::Done;
    PrintJobRequest request;
    request.document = documentOf(window);
    request.format = formatFor(window);
    request.showDialog = showDialog;
    request.allowPageRange = allowRange;
    const bool onePage = request.format.prnConf != 0;
    const bool twoSided = request.format.prnSkip != 0;
    request.choosePages = [this, onePage, twoSided](int from, int to, const std::function<bool(int)>& exists) {
        if (!m_sequence) m_sequence.emplace(from, to, onePage, twoSided);
        return m_sequence->jobPages(exists);
    };
    request.finished = [this](const std::vector<int>& printed, const std::function<bool(int)>& exists) {
        if (m_sequence) m_next = m_sequence->afterJob(printed, exists);
    };
    if (!m_host->runJob(request)) {
        m_sequence.reset();
        m_jobWindow = nullptr;
        return;
    }
    afterJob();
}

void PrintCommands::afterJob() {
    if (!m_sequence || m_next == PrintSequence::Next::Done) {
        m_sequence.reset();
        m_jobWindow = nullptr;
        return;
    }
    MessageBoxes* messages = m_session.platform().messages;
    const std::string_view question =
        m_next == PrintSequence::Next::AskContinue ? strings::kPrintContinueQuestion : strings::kPrintTurnPaperQuestion;
    if (!messages || messages->showText(question, MsgIcon::Question, MsgButtons::OkCancel) != MsgResult::Ok) {
        m_sequence->cancel();
        m_sequence.reset();
        m_jobWindow = nullptr;
        return;
    }
    m_sequence->proceed();
    m_next = PrintSequence::Next::Done;
    // The continuation runs as its own command once this job has ended.
    m_session.router().run(cmd::kPrintContinue);
}

void PrintCommands::cmdContinue(CommandId) {
    if (!m_host || !m_sequence || !m_jobWindow) return;
    bool open = false;
    for (EditorWindow* w : m_session.windows()) open = open || w == m_jobWindow;
    if (!open) {
        m_sequence.reset();
        m_jobWindow = nullptr;
        return;
    }
    runJob(*m_jobWindow, false, m_jobAllowsRange);
}

void PrintCommands::cmdClipboardPrint(CommandId) {
    const Clipboard* clipboard = m_session.platform().clipboard;
    if (!m_host || !clipboard || !clipboard->hasText()) return;
    if (!m_session.newDocument()) return;
    // The new document is the active window: the second half runs there.
    m_session.router().run(cmd::kClipboardPrintView);
}

void PrintCommands::cmdClipboardPrintView(CommandId) {
    if (EditorWindow* w = m_session.activeWindow(); m_host && w) printClipboardInto(*w);
}

void PrintCommands::printClipboardInto(EditorWindow& window) {
    CLuDoc& doc = window.document().doc();
    doc.setTitleBase(cp932::fromUtf8(strings::kClipboardPrintTitle), false);
    // The paste runs as the user's paste would, in the window's view.
    m_session.setActiveWindow(&window);
    m_session.router().run(cmd::kPaste);
    m_sequence.reset();
    runJob(window, true, false);
    // A continuation (one-page or two-sided) has run by now: the job
    // window is done with.
    doc.setModified(false);
    m_session.closeWindow(window);
}

}  // namespace orvex::shell
