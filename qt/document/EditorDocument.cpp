#include "qt/document/EditorDocument.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "common/strings/StringTable.h"
#include "files/CodeChoices.h"
#include "files/CodeWriter.h"
#include "files/SafeFileWriter.h"
#include "files/SharedReader.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

// Title of the save dialog.
constexpr const char* kSaveAsTitle = "名前を付けて保存";

bool hasTagExtension(const std::string& path) {
    const QString suffix = QFileInfo(QFile::decodeName(path.c_str())).suffix();
    return suffix.compare(QLatin1String("tag"), Qt::CaseInsensitive) == 0;
}

std::string absolutePath(const std::string& path) {
    return QFile::encodeName(QFileInfo(QFile::decodeName(path.c_str())).absoluteFilePath()).toStdString();
}

// Qt's filter text for a stored filter such as "*.txt;*.log".
std::string dialogFilter(const std::string& stored) {
    std::string patterns = stored;
    for (char& c : patterns)
        if (c == ';') c = ' ';
    return patterns + " (" + patterns + ")";
}

// The name offered for an untitled document (SaveDefName): 0 the first
// line, 1 the first word, 2 the date as %y%m%d, others %m%d. Shift JIS text
// is converted for the dialog.
std::string defaultName(const CLuDoc& doc, int saveDefName) {
    const std::string_view text = doc.text().view();
    std::string name;
    if (saveDefName == 0 || saveDefName == 1) {
        size_t i = 0;
        // Leading blanks, TABs and full-width blanks.
        while (i < text.size()) {
            if (text[i] == ' ' || text[i] == '\t') ++i;
            else if (i + 1 < text.size() && uint8_t(text[i]) == 0x81 && uint8_t(text[i + 1]) == 0x40) i += 2;
            else break;
        }
        auto kind = [](uint8_t b) {
            if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_') return 1;
            if (b >= 0xA1 && b <= 0xDF) return 2;
            if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) return 3;
            return 0;
        };
        const size_t limit = saveDefName == 0 ? 196 : 32;
        int first = -1;
        while (i < text.size() && name.size() < limit) {
            const auto b = uint8_t(text[i]);
            const size_t len = kind(b) == 3 && i + 1 < text.size() ? 2 : 1;
            if (saveDefName == 0) {
                if (b < 0x20 || std::string_view("\\/:*?\"<>|").find(char(b)) != std::string_view::npos) break;
            } else {
                const int k = kind(b);
                if (k == 0 || (len == 2 && uint8_t(text[i + 1]) == 0x40 && b == 0x81)) break;
                if (first < 0) first = k;
                else if (k != first) break;
            }
            if (name.size() + len > limit) break;
            name.append(text.substr(i, len));
            i += len;
        }
        name = cp932::toUtf8(name);
    } else {
        name = QDate::currentDate().toString(saveDefName == 2 ? QStringLiteral("yyMMdd") : QStringLiteral("MMdd")).toStdString();
    }
    if (name.empty()) name = std::string(strings::kUntitledName);
    const size_t cut = name.find_first_of("#%;/\\");
    if (cut != std::string::npos) name.resize(cut);
    return name;
}

}  // namespace

EditorDocument::EditorDocument(EditorContext& ctx) : m_ctx(ctx), m_doc(std::make_unique<CLuDoc>(ctx.platform())) {
    m_ctx.registerDocument(m_doc.get(), this);
    const settings::DocumentOptions& d = m_ctx.settings().document;
    m_doc->setEditSettings({d.editEnable != 0, d.keepUndo != 0, d.keepModifyMk != 0});
    applyLayoutOptions();
    refreshTitle();
}

EditorDocument::~EditorDocument() { m_ctx.unregisterDocument(m_doc.get()); }

std::string EditorDocument::displayName() const {
    if (m_path.empty()) return std::string(strings::kUntitledName);
    const QString p = QFile::decodeName(m_path.c_str());
    return (m_ctx.settings().document.fullPathDisp ? p : QFileInfo(p).fileName()).toStdString();
}

void EditorDocument::refreshTitle() { m_doc->setTitleBase(displayName(), !m_path.empty()); }

void EditorDocument::applyLayoutOptions() {
    setLayout(m_ctx.layoutOptions(m_mode, m_tagFile));
    m_doc->layoutAll();
}

void EditorDocument::setLayout(const LayoutOptions& options) {
    // Wrapping at the window width keeps the width the views gave; the
    // views set it again when they are laid out.
    const int32_t width = options.adjCol && m_doc->text().lastLayoutWidth() > 0 ? m_doc->text().wrapWidth()
                                                                              : computeWrapWidth(options, nullptr);
    m_doc->text().setLayout(options, width);
}

bool EditorDocument::load(const std::string& path, int readSetting) {
    std::string text;
    const size_t room = size_t(TextStore::kMaxTextSize - 1);
    files::SharedReadResult read = files::readTextFile(m_ctx.platform(), path, room, readSetting, text);
    if (!read.ok) return false;
    const files::ConvertResult converted = files::convertText(text, read.prepared.utf16, readSetting);

    const settings::Settings& s = m_ctx.settings();
    const std::string full = absolutePath(read.path);
    const bool tagFile = s.document.tagFileSet && hasTagExtension(full);
    const int mode = s.editor.modeForPath(full);
    setLayout(m_ctx.layoutOptions(mode, tagFile));
    if (!m_doc->text().setText(text)) {
        m_ctx.platform().messages->showText(files::kFileTooLargeText, MsgIcon::Exclamation);
        m_doc->text().setText({});
        m_doc->layoutAll();
        return false;
    }
    m_doc->text().setRowSizeHint(int32_t(converted.lineCount));
    m_path = full;
    m_mode = mode;
    m_tagFile = tagFile;
    m_code = converted.code;
    m_lineEnd = converted.lineEnd;
    m_eofMark = read.prepared.eofMark;
    m_time = read.time;
    m_doc->layoutAll();
    m_doc->markLoaded();
    m_doc->setReadOnly(files::isReadOnlyFile(full) || (tagFile && s.document.tagFileWrtProt));
    refreshTitle();
    return true;
}

bool EditorDocument::write(const std::string& path) {
    MessageBoxes& messages = *m_ctx.platform().messages;
    const settings::DocumentOptions& d = m_ctx.settings().document;
    if (files::isReadOnlyFile(path)) {
        messages.showId(strings::kReadOnlyFile, MsgIcon::Exclamation, MsgButtons::Ok, {path});
        return false;
    }
    files::SafeFileWriter out;
    if (files::FileError e = out.open(path)) {
        messages.showText(files::fileErrorMessage(e, path, true), MsgIcon::Exclamation);
        return false;
    }
    files::CodeWriter writer(out, files::outputCode(d.saveKanji, false, m_code));
    writer.begin();
    const std::string_view lineEnd = files::lineEndText(files::lineEndChoice(d.saveCR, false), m_lineEnd);
    const std::string_view s = m_doc->text().view();
    // Logical lines end in CR (with any LFs after it) or FF; the text after
    // the last line end is written only when it is not empty.
    size_t i = 0;
    for (;;) {
        size_t j = i;
        while (j < s.size() && s[j] != '\r' && s[j] != '\f') ++j;
        if (j == s.size()) {
            if (j > i) writer.writeText(s.substr(i, j - i));
            break;
        }
        writer.writeText(s.substr(i, j - i));
        if (s[j] == '\f') {
            writer.endLine("\f");
            i = j + 1;
        } else {
            writer.endLine(lineEnd);
            for (i = j + 1; i < s.size() && s[i] == '\n';) ++i;
        }
    }
    if (d.saveEOF == 2 || (d.saveEOF == 0 && m_eofMark)) writer.writeEofMark();
    if (!writer.finish()) {
        out.abandon();
        messages.showText(files::fileErrorMessage(out.error(), path, true), MsgIcon::Exclamation);
        return false;
    }
    if (files::FileError e = out.commit()) {
        messages.showText(files::fileErrorMessage(e, path, true), MsgIcon::Exclamation);
        return false;
    }
    m_time = out.committedTime();
    m_code = writer.code();
    if (d.saveCR >= files::kLineEndCrLf && d.saveCR <= files::kLineEndLf) m_lineEnd = d.saveCR;
    const std::string full = absolutePath(path);
    const int mode = m_ctx.settings().editor.modeForPath(full);
    const bool tagFile = m_ctx.settings().document.tagFileSet && hasTagExtension(full);
    m_path = full;
    m_doc->markSaved();
    m_doc->setReadOnly(false);
    if (mode != m_mode || tagFile != m_tagFile) {
        m_mode = mode;
        m_tagFile = tagFile;
        applyLayoutOptions();
    }
    refreshTitle();
    return true;
}

bool EditorDocument::save() {
    if (m_path.empty() || m_doc->readOnly()) return saveAs();
    return write(m_path);
}

bool EditorDocument::saveAs() {
    settings::Settings& s = m_ctx.settings();
    FileDialogRequest request;
    request.save = true;
    request.title = kSaveAsTitle;
    if (m_path.empty()) {
        std::string name = defaultName(*m_doc, s.document.saveDefName);
        if (name.find('.') == std::string::npos) {
            if (m_tagFile && s.document.tagFileSet) name += ".tag";
            else if (!s.document.saveDefExtStr.empty()) name += cp932::toUtf8(s.document.saveDefExtStr);
        }
        request.fileName = name;
        request.directory = s.app.defDir[0];
    } else if (m_doc->readOnly()) {
        request.directory = QFileInfo(QFile::decodeName(m_path.c_str())).absolutePath().toStdString();
    } else {
        request.fileName = m_path;
    }
    for (const std::string& f : s.app.usrFileFilter)
        if (!f.empty()) request.filters.push_back(dialogFilter(cp932::toUtf8(f)));
    for (std::string_view c : files::kSaveCodeChoices) request.codeChoices.emplace_back(c);
    for (std::string_view c : files::kSaveLineEndChoices) request.lineEndChoices.emplace_back(c);
    request.codeIndex = std::clamp(s.document.saveKanji, 0, int(files::kSaveCodeChoices.size()) - 1);
    request.lineEndIndex = std::clamp(s.document.saveCR, 0, int(files::kSaveLineEndChoices.size()) - 1);
    const std::optional<FileDialogResult> chosen = m_ctx.platform().fileDialogs->ask(request);
    if (!chosen || chosen->paths.empty()) return false;
    // The lists of the dialog are the save settings.
    s.document.saveKanji = chosen->codeIndex;
    s.document.saveCR = chosen->lineEndIndex;
    const std::string& path = chosen->paths.front();
    const bool existed = files::fileExists(path);
    if (write(path)) return true;
    if (!existed && files::fileExists(path)) std::remove(path.c_str());
    return false;
}

bool EditorDocument::queryClose() {
    if (!m_doc->isModified()) return true;
    const std::string name = m_path.empty() ? displayName() : m_path;
    switch (m_ctx.platform().messages->showId(strings::kSaveChangesTo, MsgIcon::Exclamation, MsgButtons::YesNoCancel,
                                               {name})) {
    case MsgResult::Yes: return save();
    case MsgResult::No: return true;
    default: return false;
    }
}

// ---- Commands

const CommandTable<EditorDocument>& EditorDocument::commandTable() {
    using D = EditorDocument;
    static const CommandTable<EditorDocument> table{
        {cmdid::kFileSave, cmdid::kFileSaveAs, &D::cmdSave, &D::updateSave, kCmdNone},
    };
    return table;
}

void EditorDocument::cmdSave(CommandId id) {
    if (id == cmdid::kFileSave) save();
    else saveAs();
}

void EditorDocument::updateSave(CommandId, CommandState& state) { state.enabled = true; }

bool EditorDocument::onCommand(CommandId id) { return commandTable().dispatch(*this, id); }

bool EditorDocument::onUpdateCommand(CommandId id, CommandState& state) {
    return commandTable().update(*this, id, state);
}

}  // namespace orvex::qt
