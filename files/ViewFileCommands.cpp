#include "files/ViewFileCommands.h"

#include <algorithm>

#include "common/strings/StringTable.h"
#include "files/AppendToFile.h"
#include "files/CodeChoices.h"
#include "files/DocumentFile.h"
#include "files/FileCommandIds.h"
#include "files/FileTexts.h"
#include "files/PathNames.h"
#include "files/SharedReader.h"
#include "files/TextDecoder.h"
#include "text/CLuView.h"

namespace orvex::files {

ViewFileCommands::ViewFileCommands(CLuView& view, DocumentFile& file) : m_view(view), m_file(file) {
    m_view.addCommandExtension(this);
}

ViewFileCommands::~ViewFileCommands() { m_view.removeCommandExtension(this); }

const CommandTable<ViewFileCommands>& ViewFileCommands::commandTable() {
    using V = ViewFileCommands;
    static const CommandTable<V> table{
        {cmd::kInsertFile, cmd::kInsertFile, &V::cmdInsertFile, nullptr},
        {cmd::kRevert, cmd::kRevert, &V::cmdRevert, nullptr},
        {cmd::kAppendSelectionToFile, cmd::kAppendSelectionToFile, &V::cmdAppendSelection, nullptr},
        {cmd::kConvertToShiftJis, cmd::kConvertToLf, &V::cmdConvert, &V::updateConvert},
        {cmd::kConvertToUnicode, cmd::kConvertToUnicode, &V::cmdConvert, &V::updateConvert},
        {cmd::kConvertToUtf8, cmd::kConvertToUtf8Bom, &V::cmdConvert, &V::updateConvert},
    };
    return table;
}

CommandGate ViewFileCommands::commandGate() const { return m_view.commandGate(); }

bool ViewFileCommands::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool ViewFileCommands::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

// ---- Operations

bool ViewFileCommands::insertFile(const std::string& path) {
    CLuDoc& doc = m_view.document();
    if (!doc.editable()) return false;
    const TextPosition cursor = m_view.cursor();
    const int32_t end = doc.text().endColumn(cursor.row);
    if (cursor.byteColumn > end) m_view.placeCursor(cursor.row, end);

    const settings::DocumentOptions& o = m_file.options();
    const size_t room = static_cast<size_t>(TextStore::kMaxTextSize - doc.text().size());
    std::string text;
    // A Unicode file's characters join the document's table; codes the
    // text holds already are not given to them.
    m_file.privateChars().markUsedIn(doc.text().view());
    const SharedReadResult read = readTextFile(doc.platform(), path, room, o.autoKanji, text, &m_file.privateChars());
    if (!read.ok) {
        if (read.notTextAnswer == kNotTextView && m_file.services().showInViewer)
            m_file.services().showInViewer(read.path);
        return false;
    }
    const ConvertResult converted = convertText(text, read.prepared, o.autoKanji);
    if (!read.prepared.unicode()) m_file.privateChars().adoptShiftJis(text);
    reportUnreadable(doc.platform(), read.path, converted);
    if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    if (text.empty()) return true;
    return m_view.insertText(text) >= 0;
}

bool ViewFileCommands::revert(bool ask) {
    CLuDoc& doc = m_view.document();
    const Platform& platform = doc.platform();
    if (ask && (!platform.messages ||
                platform.messages->showId(strings::kDiscardEdits, MsgIcon::Question, MsgButtons::OkCancel) !=
                    MsgResult::Ok))
        return false;
    if (!m_file.revert()) return false;
    doc.text().forgetInsertionGap();
    m_view.placeCursor(0, 0);
    m_view.scrollTo(0, 0);
    m_view.updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
    if (platform.ui) platform.ui->invalidateAll(&m_view);
    return true;
}

bool ViewFileCommands::appendSelection() {
    if (!m_view.hasSelection()) return false;
    CLuDoc& doc = m_view.document();
    const Platform& platform = doc.platform();
    if (!platform.fileDialogs) return false;
    FileDialogRequest request;
    request.save = true;
    request.title = std::string(kAppendTitle);
    if (m_file.hasPath()) request.directory = folderOf(m_file.path());
    const std::optional<FileDialogResult> chosen = platform.fileDialogs->ask(request);
    if (!chosen || chosen->paths.empty() || chosen->paths.front().empty()) return false;
    const std::string target = chosen->paths.front();

    std::string bytes;
    if (m_file.options().saveCmnt) {
        const std::time_t now = m_file.services().now();
        std::tm local{};
        localtime_r(&now, &local);
        bytes = appendHeaderLine(m_file.displayName(), local);
    }
    bytes += m_view.selectedText();
    // The codes of this document's table mean nothing to another document:
    // its characters travel as UTF-8.
    const bool utf8 = !m_file.privateChars().empty();
    if (utf8) bytes = m_file.privateChars().toUtf8(bytes);
    const std::string temp = writeAppendTempFile(bytes);
    if (temp.empty()) {
        if (platform.messages) platform.messages->showId(strings::kCannotCreateTemp, MsgIcon::Exclamation);
        return false;
    }
    return runAppendRequest(platform, m_file.services(), AppendRequest{target, temp, fileExists(target), utf8});
}

bool ViewFileCommands::convert(CommandId id) {
    const auto it = std::find_if(kConversionCommands.begin(), kConversionCommands.end(),
                                 [id](const ConversionCommand& c) { return c.id == id; });
    if (it == kConversionCommands.end()) return false;
    if (it->code == kCodeUtf8) {
        // UTF-8 comes with or without its mark: the whole form is set.
        m_file.setExplicitForm(FileForm{kCodeUtf8, it->bom, false});
        return m_file.convert(0, 0);
    }
    return m_file.convert(it->code, it->lineEnd);
}

// ---- Handlers

void ViewFileCommands::cmdInsertFile(CommandId id) {
    insertFile();
}

void ViewFileCommands::cmdRevert(CommandId id) {
    revert(true);
}

void ViewFileCommands::cmdAppendSelection(CommandId id) {
    appendSelection();
}

void ViewFileCommands::cmdConvert(CommandId id) {
    convert(id);
}

void ViewFileCommands::updateConvert(CommandId id, CommandState& state) {
    // The item of the code or line end the next save writes is checked.
    for (const ConversionCommand& c : kConversionCommands) {
        if (c.id != id) continue;
        const FileForm next = m_file.nextSaveForm();
        if (c.code == kCodeUtf8) state.checked = next.code == kCodeUtf8 && next.bom == c.bom;
        else if (c.code != 0) state.checked = next.code == c.code;
        else state.checked = m_file.nextSaveLineEnd() == c.lineEnd;
    }
}

}  // namespace orvex::files
