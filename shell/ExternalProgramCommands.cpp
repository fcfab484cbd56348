#include "shell/ExternalProgramCommands.h"

#include "common/codepage/Cp932.h"

#include <algorithm>
#include <memory>
#include <unistd.h>

#include "common/strings/StringTable.h"
#include "files/TextDecoder.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "shell/NumberedLabels.h"
#include "shell/ResultDocuments.h"
#include "text/CLuView.h"
#include "text/TextStore.h"
#include "tools/ChildProcess.h"
#include "tools/EnvironmentText.h"
#include "tools/ProgramLine.h"

namespace orvex::shell {

namespace {

void showMessage(EditorSession& session, int id) {
    if (session.platform().messages) session.platform().messages->showId(id, MsgIcon::Exclamation);
}

// What went wrong (a piece of the environment text, a name) above the
// message `id`.
void showMessage(EditorSession& session, const std::string& what, int id) {
    if (!session.platform().messages) return;
    MessageRequest r;
    r.text = what + "\r\n" + std::string(strings::text(id));
    r.icon = MsgIcon::Exclamation;
    r.textId = id;
    session.platform().messages->show(r);
}

bool isOpen(EditorSession& session, const EditorWindow* window) {
    const auto open = session.windows();
    return std::find(open.begin(), open.end(), window) != open.end();
}

// A window a run may fill: an untitled document that holds nothing yet.
bool freshWindow(EditorWindow& window) {
    EditorDocument& d = window.document();
    return d.untitled() && !d.doc().isModified() && d.doc().text().length() == 0 && !d.resultInitialised();
}

std::string currentFolder() {
    std::string buf(4096, '\0');
    if (!getcwd(buf.data(), buf.size())) return {};
    buf.resize(buf.find('\0'));
    return buf;
}

// The captured bytes as document text: their character code detected as
// for a file (programs on this system mostly write UTF-8), NULs as blanks,
// every line end CR LF as in the other result documents. A cut output ends
// at its last complete line, so that no character is split.
std::string outputText(std::string bytes, bool truncated, int readSetting) {
    if (truncated) {
        const size_t end = bytes.find_last_of("\r\n");
        bytes.resize(end == std::string::npos ? 0 : end + 1);
    }
    if (bytes.empty()) return bytes;
    files::decodeFileText(bytes, readSetting);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

const CommandTable<ExternalProgramCommands>& ExternalProgramCommands::commandTable() {
    using E = ExternalProgramCommands;
    static const CommandTable<E> table{
        {cmd::kExternalProgramRun, cmd::kExternalProgramRun + settings::kExternalProgramCount - 1, &E::cmdStart,
         &E::updateStart},
        {cmd::kExternalProgram, cmd::kExternalProgram, &E::cmdRunHere, &E::updateRunHere},
        {cmd::kExternalProgramSheet, cmd::kExternalProgramSheet, &E::cmdSheet, &E::updateRunHere},
    };
    return table;
}

std::string ExternalProgramCommands::menuLabel(int index, bool accessKeys) const {
    const int i = std::clamp(index, 0, settings::kExternalProgramCount - 1);
    // Titles are stored in Shift JIS; labels are made in UTF-8.
    return numberedMenuLabel(cp932::toUtf8(m_session.settings().programs[size_t(i)].title), NumberedFamily::ProgramRun,
                             i + 1, accessKeys);
}

void ExternalProgramCommands::updateStart(CommandId id, CommandState& state) {
    // While a program is waited for, a start command stops it.
    state.enabled = m_running || !m_session.settings().programs[size_t(id - cmd::kExternalProgramRun)].command.empty();
}

void ExternalProgramCommands::updateRunHere(CommandId, CommandState& state) { state.enabled = !m_running; }

void ExternalProgramCommands::cmdSheet(CommandId) {
    FrameHost* host = m_session.frameHost();
    if (m_running || !host) return;
    settings::Settings& s = m_session.settings();
    ProgramSheetRequest request;
    request.programs = s.programs;
    request.page = std::clamp(s.frame.progNo, 0, settings::kExternalProgramCount - 1);
    const EditorWindow* active = m_session.activeWindow();
    request.currentFile = active ? active->document().path() : std::string();
    host->editPrograms(request);

    // However the sheet closed, the page shown last is the selected program.
    s.frame.progNo = std::clamp(request.page, 0, settings::kExternalProgramCount - 1);
    if (request.close == ProgramSheetRequest::Close::Cancel) return;
    s.programs = request.programs;
    host->menuTextsChanged();
    if (request.close != ProgramSheetRequest::Close::Run) return;
    if (s.programs[size_t(s.frame.progNo)].command.empty())
        showMessage(m_session, strings::kNoProgramName);
    else
        start(s.frame.progNo);
}

void ExternalProgramCommands::cmdStart(CommandId id) {
    if (m_running) {
        stop();
        return;
    }
    start(int(id - cmd::kExternalProgramRun));
}

void ExternalProgramCommands::start(int index) {
    if (m_running || index < 0 || index >= settings::kExternalProgramCount) return;
    settings::Settings& s = m_session.settings();
    s.frame.progNo = index;
    const EditorWindow* active = m_session.activeWindow();
    m_currentFile = active ? active->document().path() : std::string();
    tools::followCurrentFile(s.programs[size_t(index)], m_currentFile);
    EditorWindow* window = m_session.newDocument();
    if (window) runInto(*window);
}

void ExternalProgramCommands::cmdRunHere(CommandId) {
    if (m_running) return;
    // Only into a window that holds nothing: a run never writes into,
    // or closes, a document the user works on.
    EditorWindow* window = m_session.activeWindow();
    if (!window || !freshWindow(*window)) {
        m_currentFile = window ? window->document().path() : std::string();
        window = m_session.newDocument();
    }
    if (window) runInto(*window);
}

void ExternalProgramCommands::closeIfOpen(EditorWindow& window) {
    if (isOpen(m_session, &window)) m_session.closeWindow(window);
}

void ExternalProgramCommands::runInto(EditorWindow& window) {
    if (m_running) return;
    settings::Settings& s = m_session.settings();
    const settings::ExternalProgram program = s.programs[size_t(std::clamp(s.frame.progNo, 0, settings::kExternalProgramCount - 1))];
    if (program.command.empty()) {
        showMessage(m_session, strings::kNoProgramName);
        return;
    }
    const std::string commandLine = tools::commandLineFor(program, m_currentFile);
    const std::string title = std::string(strings::text(strings::kRunResultTitle)) + commandLine;
    window.document().doc().setTitleBase(title, false);
    if (m_session.platform().ui) m_session.platform().ui->updateTitle(&window.document().doc());

    tools::ProgramRun run{commandLine, program.dir, std::nullopt};
    if (!program.env.empty()) {
        tools::Environment env = tools::Environment::current();
        const tools::EnvironmentResult r = tools::applyEnvironmentText(program.env, env);
        if (!r.ok) {
            showMessage(m_session, r.faultText, strings::kBadEnvironment);
            closeIfOpen(window);
            return;
        }
        run.environment = std::move(env);
    }
    if (!tools::programFound(program.command, program.dir, run.environment ? &*run.environment : nullptr)) {
        showMessage(m_session, strings::kCannotRunProgram);
        closeIfOpen(window);
        return;
    }

    if (!program.redirect) {
        int error = 0;
        if (!tools::ChildProcess::startDetached(run, error)) showMessage(m_session, strings::kCannotRunProgram);
        closeIfOpen(window);
        return;
    }

    int error = 0;
    std::unique_ptr<tools::ChildProcess> child = tools::ChildProcess::startCaptured(run, error);
    if (!child) {
        showMessage(m_session, strings::kCannotRunProgram);
        closeIfOpen(window);
        return;
    }
    m_running = true;
    m_stopRequested = false;
    if (m_session.frameHost()) m_session.frameHost()->programWaitChanged(true);
    const Platform& platform = m_session.platform();
    const tools::RunOutcome outcome = child->wait(
        [&] {
            if (platform.ui) platform.ui->processPendingInput();
            // Output with nowhere to go is not waited for: the window was
            // closed, or the editor is ending.
            return !m_stopRequested && !m_session.exited() && isOpen(m_session, &window);
        },
        m_outputLimit);
    child.reset();
    m_running = false;
    m_stopRequested = false;
    if (m_session.frameHost()) m_session.frameHost()->programWaitChanged(false);
    // The window may have been closed while the program ran.
    if (!isOpen(m_session, &window)) return;

    std::string text = outputText(outcome.output, outcome.truncated, s.document.autoKanji);
    EditorDocument& d = window.document();
    // A document holds at most kMaxTextSize bytes: more is cut at the last
    // complete line that fits, rather than losing the insertion as a whole.
    const size_t room = size_t(TextStore::kMaxTextSize - 1 - d.doc().text().length());
    if (text.size() > room) {
        const size_t end = text.rfind('\n', room - 1);
        text.resize(end == std::string::npos ? 0 : end + 1);
    }
    d.setToolOutput(program.dir.empty() ? currentFolder() : program.dir);
    beginResult(window, title);
    appendResult(window, text);
    finishResult(window);
    d.doc().setReadOnly(true);
    window.activeView().moveTo(0, 0);
}

}  // namespace orvex::shell
