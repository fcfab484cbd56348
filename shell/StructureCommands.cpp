#include "shell/StructureCommands.h"

#include "display/Row.h"
#include "search/StructureSearch.h"
#include "search/TagLine.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FindInFilesCommands.h"
#include "shell/TagJumps.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

EditorWindow* windowOf(EditorSession& session, EditorDocument& document) {
    for (EditorWindow* w : session.windows())
        if (&w->document() == &document) return w;
    return nullptr;
}

int32_t maskOf(CommandId id) {
    switch (id) {
    case cmd::kMarkedRowList: return rowflag::kMarked;
    case cmd::kTitleRowList: return rowflag::kClassMask;
    default: return rowflag::kModified;
    }
}

}  // namespace

StructureCommands::StructureCommands(CLuView& view, EditorDocument& document, EditorSession& session)
    : m_view(view), m_document(document), m_session(session) {
    m_view.addCommandExtension(this);
}

StructureCommands::~StructureCommands() { m_view.removeCommandExtension(this); }

const CommandTable<StructureCommands>& StructureCommands::commandTable() {
    using S = StructureCommands;
    static const CommandTable<S> table{
        {cmd::kMatchBracket, cmd::kMatchBracket, &S::cmdMatchBracket, &S::updateAlways},
        {cmd::kFindInFiles, cmd::kFindInFiles, &S::cmdFindInFiles, &S::updateAlways},
        {cmd::kTagJump, cmd::kTagJump, &S::cmdTagJump, &S::updateAlways},
        {cmd::kFunctionSearch, cmd::kFunctionSearch, &S::cmdFunctionList, &S::updateAlways},
        {cmd::kTagFileNewDocument, cmd::kTagFileNewDocument, &S::cmdLoadList, &S::updateAlways},
        {cmd::kMarkedRowList, cmd::kMarkedRowList, &S::cmdRowList, &S::updateRowList},
        {cmd::kTitleRowList, cmd::kTitleRowList, &S::cmdRowList, &S::updateRowList},
        {cmd::kModifiedRowList, cmd::kModifiedRowList, &S::cmdRowList, &S::updateRowList},
        {cmd::kTagJumpBack, cmd::kTagJumpBack, &S::cmdTagJumpBack, &S::updateTagJumpBack},
    };
    return table;
}

CommandGate StructureCommands::commandGate() const { return m_view.commandGate(); }
bool StructureCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }
bool StructureCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

void StructureCommands::updateAlways(CommandId, CommandState& state) { state.enabled = true; }

void StructureCommands::updateTagJumpBack(CommandId, CommandState& state) {
    state.enabled = m_session.tagJumps().canGoBack();
}

void StructureCommands::updateRowList(CommandId id, CommandState& state) {
    const TextStore& t = m_view.document().text();
    switch (id) {
    case cmd::kMarkedRowList: state.enabled = t.markedRowCount() > 0; break;
    case cmd::kTitleRowList: state.enabled = t.titleRowCount() > 0; break;
    default: state.enabled = t.modifiedRowsPresent(); break;
    }
}

void StructureCommands::cmdFindInFiles(CommandId) {
    if (EditorWindow* w = windowOf(m_session, m_document)) m_session.findInFiles().runInto(*w);
}

void StructureCommands::cmdTagJump(CommandId) { m_session.tagJumps().jumpFrom(m_view, m_document); }

void StructureCommands::cmdTagJumpBack(CommandId) { m_session.tagJumps().back(); }

void StructureCommands::cmdLoadList(CommandId) {
    if (EditorWindow* w = windowOf(m_session, m_document)) m_session.findInFiles().loadListInto(*w);
}

bool StructureCommands::matchBracket() {
    const TextStore& t = m_view.document().text();
    const int32_t caret = t.offsetOf(m_view.cursor().row, m_view.cursor().byteColumn);
    const auto pair = search::matchBracket(t.view(), caret);
    if (!pair) {
        if (m_view.document().platform().ui) m_view.document().platform().ui->invalidateAll(&m_view);
        return false;
    }
    // The caret goes to the first bracket and the selection takes in both.
    if (pair->partner > pair->bracket) m_view.selectRange(pair->bracket, pair->partner + 1);
    else m_view.selectRange(pair->bracket + 1, pair->partner);
    return true;
}

void StructureCommands::cmdMatchBracket(CommandId) { matchBracket(); }

void StructureCommands::cmdFunctionList(CommandId) {
    const TextStore& t = m_view.document().text();
    std::string out;
    for (int32_t offset : search::functionDefinitions(t.view())) {
        const int32_t row = t.firstRowOfLine(t.rowOfOffset(offset));
        search::appendRowEntry(out, t, row, search::pathAsText(m_document.path()));
    }
    m_session.findInFiles().showList(out);
}

void StructureCommands::cmdRowList(CommandId id) {
    const TextStore& t = m_view.document().text();
    int32_t first = 0, last = t.rowCount() - 1;
    if (m_view.hasSelection()) {
        first = t.firstRowOfLine(m_view.selectionStart().row);
        last = t.firstRowOfLine(m_view.selectionEnd().row);
    }
    std::string out;
    if (search::appendFlaggedRows(out, t, first, last, maskOf(id), search::pathAsText(m_document.path())) > 0)
        m_session.findInFiles().showList(out);
}

}  // namespace orvex::shell
