// Saving a document: the backup, the write through SafeFileWriter, the
// state a save leaves, and saving with the save dialog.
#include <unistd.h>

#include <algorithm>

#include "common/strings/StringTable.h"
#include "files/Backup.h"
#include "files/CodeChoices.h"
#include "files/DocumentFile.h"
#include "files/FileTexts.h"
#include "files/PathNames.h"
#include "files/SafeFileWriter.h"
#include "files/SaveNames.h"
#include "files/SharedReader.h"

namespace orvex::files {

FileForm DocumentFile::nextSaveForm() const {
    return outputForm(options().saveKanji, m_explicitCode, FileForm{m_code, m_bom, m_bigEndian});
}

int DocumentFile::nextSaveLineEnd() const {
    const int choice = lineEndChoice(options().saveCR, m_explicitLineEnd);
    if (choice >= kLineEndCrLf && choice <= kLineEndLf) return choice;
    return m_lineEnd >= kLineEndCrLf && m_lineEnd <= kLineEndLf ? m_lineEnd : kLineEndCrLf;
}

WriteOptions DocumentFile::writeOptions() const {
    const settings::DocumentOptions& o = options();
    WriteOptions w;
    const FileForm form = nextSaveForm();
    w.code = form.code;
    w.bom = form.bom;
    w.bigEndian = form.bigEndian;
    w.table = &m_privateChars;
    w.lineEndChoice = lineEndChoice(o.saveCR, m_explicitLineEnd);
    w.documentLineEnd = m_lineEnd;
    w.deleteTrailingBlanks = o.saveDelSpc != 0;
    w.tabConversion = o.saveTab;
    w.tabWidth = m_doc.text().tabWidth();
    w.eofMark = o.saveEOF == 2 || (o.saveEOF == 0 && m_eofMark);
    w.displayRows = o.saveInsCR != 0;
    return w;
}

void DocumentFile::reportError(const FileError& error, const std::string& filePath, bool writing) const {
    MessageBoxes* messages = m_doc.platform().messages;
    if (!messages || !error.failed()) return;
    if (error.kind == FileErrorKind::SharingViolation)
        messages->showId(strings::kAccessDenied, MsgIcon::Exclamation, MsgButtons::Ok, {filePath});
    else if (error.kind == FileErrorKind::ReadOnly)
        messages->showId(strings::kReadOnlyFile, MsgIcon::Exclamation, MsgButtons::Ok, {filePath});
    else
        messages->showText(fileErrorMessage(error, filePath, writing), MsgIcon::Exclamation);
}

DocumentFile::SaveOutcome DocumentFile::write(const std::string& target, SaveKind kind) {
    syncEditSettings();
    const settings::DocumentOptions& o = options();
    MessageBoxes* messages = m_doc.platform().messages;
    if (isReadOnlyFile(target)) {
        if (messages) messages->showId(strings::kReadOnlyFile, MsgIcon::Exclamation, MsgButtons::Ok, {target});
        return SaveOutcome::Failed;
    }
    // The lock goes first: the backup copy and the writer lock the file
    // themselves. Every way out takes it again.
    releaseLock();

    const BackupOptions backup{o.backupMode, o.backupPath, static_cast<unsigned>(std::max(0, o.backupVerLimit))};
    const bool toTrash = o.backupMode == kBackupTrash;
    if (!toTrash && makeBackup(target, backup, m_services.trash).failed() && messages)
        messages->showId(strings::kBackupFailed, MsgIcon::Exclamation);

    SafeFileWriter out;
    if (const FileError e = out.open(target)) {
        reportError(e, target, true);
        takeLock(true);
        return SaveOutcome::Failed;
    }
    const WriteResult written = writeDocumentText(m_doc.text(), writeOptions(), out);
    if (!written.ok) {
        const FileError e = out.error();
        out.abandon();
        reportError(e.failed() ? e : FileError{FileErrorKind::Other, 0}, target, true);
        takeLock(true);
        return SaveOutcome::Failed;
    }
    if (written.unrepresentable > 0) {
        // Characters the file's code cannot hold would become "?": only
        // when the user says so, and never unasked.
        bool go = false;
        if (kind != SaveKind::Automatic && messages) {
            MessageRequest q;
            q.text = strings::substitute(kUnrepresentableQuestion,
                                         {target, std::to_string(written.unrepresentable)});
            q.icon = MsgIcon::Exclamation;
            q.buttons = MsgButtons::OkCancel;
            q.defaultButton = 1;
            go = messages->show(q) == MsgResult::Ok;
        }
        if (!go) {
            out.abandon();
            takeLock(true);
            return kind == SaveKind::Automatic ? SaveOutcome::Lossy : SaveOutcome::Failed;
        }
    }
    // The trash takes the old file only once the new contents are on disk;
    // the file itself, not a symbolic link to it.
    bool trashFailed = false;
    const FileError committed = toTrash ? out.commit([&] {
        trashFailed = makeBackup(out.targetPath(), backup, m_services.trash).failed();
    })
                                        : out.commit();
    if (trashFailed && messages) messages->showId(strings::kBackupFailed, MsgIcon::Exclamation);
    if (committed) {
        reportError(committed, target, true);
        takeLock(true);
        return SaveOutcome::Failed;
    }

    if (kind != SaveKind::Copy) {
        m_fileTime = out.committedTime();
        const int choice = lineEndChoice(o.saveCR, m_explicitLineEnd);
        if (choice >= kLineEndCrLf && choice <= kLineEndLf) m_lineEnd = choice;
    }
    takeLock();
    if (kind != SaveKind::Copy) m_doc.markSaved();
    return SaveOutcome::Saved;
}

bool DocumentFile::saveDocument(const std::string& target, SaveKind kind) {
    if (target.empty()) return false;
    return write(target, kind) == SaveOutcome::Saved;
}

std::string DocumentFile::defaultNameForPrompt() const {
    const settings::DocumentOptions& o = options();
    const std::time_t now = m_services.now();
    std::tm local{};
    localtime_r(&now, &local);
    const std::string title = m_doc.titleBase().empty() ? displayName() : m_doc.titleBase();
    std::string name = defaultSaveName(o.saveDefName, m_doc.text().view(), local);
    if (name.empty()) name = title;
    name = cutDubiousName(name, name == title);
    return withDefaultExtension(name, m_tagFile && o.tagFileSet, o.saveDefExtStr);
}

std::optional<std::string> DocumentFile::askSaveName(bool replace) {
    FileDialogs* dialogs = m_doc.platform().fileDialogs;
    if (!dialogs) return std::nullopt;
    settings::DocumentOptions& o = options();
    FileDialogRequest request;
    request.save = true;
    request.title = std::string(replace ? kSaveAsTitle : kSaveCopyTitle);
    if (hasPath()) {
        request.directory = folderOf(path());
        if (!m_doc.readOnly()) request.fileName = std::string(fileNameOf(path()));
    } else if (replace) {
        request.fileName = defaultNameForPrompt();
    }
    request.codeChoices.assign(kSaveCodeChoices.begin(), kSaveCodeChoices.end());
    request.codeIndex = std::clamp(o.saveKanji, 0, static_cast<int>(kSaveCodeChoices.size()) - 1);
    request.lineEndChoices.assign(kSaveLineEndChoices.begin(), kSaveLineEndChoices.end());
    request.lineEndIndex = std::clamp(o.saveCR, 0, static_cast<int>(kSaveLineEndChoices.size()) - 1);
    const std::optional<FileDialogResult> chosen = dialogs->ask(request);
    if (!chosen || chosen->paths.empty() || chosen->paths.front().empty()) return std::nullopt;
    // The lists are settings: what the user chose stays for later saves.
    o.saveKanji = std::clamp(chosen->codeIndex, 0, static_cast<int>(kSaveCodeChoices.size()) - 1);
    o.saveCR = std::clamp(chosen->lineEndIndex, 0, static_cast<int>(kSaveLineEndChoices.size()) - 1);
    return chosen->paths.front();
}

bool DocumentFile::saveWithPrompt(const std::string& givenPath, bool replace) {
    std::string target = givenPath;
    const bool prompt = target.empty() || m_doc.readOnly() || m_notTextAnswer != kNotTextNone;
    if (prompt) {
        const std::optional<std::string> chosen = askSaveName(replace);
        if (!chosen) return false;
        target = *chosen;
    }
    const bool existed = fileExists(target);
    if (!saveDocument(target, replace ? SaveKind::Replace : SaveKind::Copy)) {
        if (prompt && !existed && fileExists(target)) ::unlink(target.c_str());  // nothing half-made stays
        return false;
    }
    if (!replace) return true;
    if (target != path()) {
        // A result document (a tag file without a name) stays one.
        const bool tag = isTagFileName(target) || (m_tagFile && !hasPath());
        const int mode = modeForPath(target);
        m_doc.setReadOnly(false);  // saved under a new name, it may be saved again
        m_userReadOnly = false;
        m_doc.setPathName(target);
        if (mode != m_doc.fileTypeMode() || tag != m_tagFile) applyModeAndLayout(mode, tag);
        takeLock();  // the lock follows the name
        refreshTitle();
    }
    m_notTextAnswer = kNotTextNone;
    return true;
}

}  // namespace orvex::files
