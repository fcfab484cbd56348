// The document's file state, opening, the lock, closing, revert and the
// automatic backup step. Saving is in DocumentSave.cpp.
#include "files/DocumentFile.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "common/strings/StringTable.h"
#include "display/ProfileLayout.h"
#include "files/AutoBackup.h"
#include "files/CodeChoices.h"
#include "files/FileTexts.h"
#include "files/FileReader.h"
#include "files/PathNames.h"
#include "files/SharedReader.h"
#include "files/TextDecoder.h"
#include "settings/Settings.h"

namespace orvex::files {

namespace {

// A text buffer as the storage of a load. Buffers of many megabytes ask the
// kernel for huge pages before the file is read into them: filling them
// then takes a few page faults instead of thousands.
class TextBufferTarget final : public ReadTarget {
public:
    explicit TextBufferTarget(TextBuffer& buffer) : m_buffer(buffer) {}

    char* resize(size_t n) override {
        if (n >= static_cast<size_t>(INT32_MAX) || !m_buffer.resize(static_cast<int32_t>(n))) return nullptr;
        if (m_buffer.data() != m_advised || m_buffer.capacity() != m_advisedSize) {
            m_advised = m_buffer.data();
            m_advisedSize = m_buffer.capacity();
            adviseHugePages(m_advised, m_advisedSize);
        }
        return m_buffer.data();
    }

private:
    static void adviseHugePages(char* p, size_t size) {
#if defined(MADV_HUGEPAGE)
        constexpr uintptr_t kHuge = uintptr_t{2} << 20;
        const uintptr_t from = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
        const uintptr_t to = (reinterpret_cast<uintptr_t>(p) + size) & ~(kHuge - 1);
        if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
        (void)p;
        (void)size;
#endif
    }

    TextBuffer& m_buffer;
    char* m_advised = nullptr;
    size_t m_advisedSize = 0;
};

}  // namespace

DocumentFileServices documentFileServices(settings::Settings& settings, Trash* trash) {
    DocumentFileServices s;
    s.document = &settings.document;
    s.app = &settings.app;
    s.editor = &settings.editor;
    s.colours = &settings.colours;
    s.trash = trash;
    return s;
}

DocumentFile::DocumentFile(CLuDoc& doc, DocumentFileServices services)
    : m_doc(doc), m_services(std::move(services)) {
    syncEditSettings();
    // Codes of the area that reach the text by other ways (Shift JIS text
    // inserted, macros) are found there before the table gives out new ones.
    m_privateChars.setTextSource([this] { return m_doc.text().view(); });
    m_doc.setPrivateChars(&m_privateChars);
}

DocumentFile::~DocumentFile() {
    if (m_doc.privateChars() == &m_privateChars) m_doc.setPrivateChars(nullptr);
}

settings::DocumentOptions& DocumentFile::options() const {
    return m_services.document ? *m_services.document : m_defaultOptions;
}

std::string DocumentFile::displayName() const {
    if (!hasPath()) return std::string(strings::kUntitledName);
    return options().fullPathDisp ? path() : std::string(fileNameOf(path()));
}

void DocumentFile::refreshTitle() { m_doc.setTitleBase(displayName(), hasPath()); }

void DocumentFile::syncEditSettings() {
    const settings::DocumentOptions& o = options();
    m_doc.setEditSettings(EditSettings{o.editEnable != 0, o.keepUndo != 0, o.keepModifyMk != 0});
}

void DocumentFile::setExplicitCode(int code) {
    m_code = code;
    m_explicitCode = true;
}

void DocumentFile::setExplicitForm(const FileForm& form) {
    m_code = form.code;
    m_bom = form.code == kCodeUtf8 && form.bom;
    m_bigEndian = form.code == kCodeUtf16 && form.bigEndian;
    m_explicitCode = true;
}

void DocumentFile::setExplicitLineEnd(int lineEnd) {
    m_lineEnd = lineEnd;
    m_explicitLineEnd = true;
}

void DocumentFile::applySettings() {
    syncEditSettings();
    applyModeAndLayout(m_doc.fileTypeMode(), m_tagFile);
}

void DocumentFile::setTagFile(bool tagFile) {
    if (tagFile != m_tagFile) applyModeAndLayout(m_doc.fileTypeMode(), tagFile);
}

void DocumentFile::resetFileState() {
    m_code = kCodeUndetermined;
    m_lineEnd = kLineEndUndetermined;
    m_unicodeFile = false;
    m_bom = false;
    m_bigEndian = false;
    m_charactersLost = 0;
    m_eofMark = false;
    m_explicitCode = false;
    m_explicitLineEnd = false;
    m_notTextAnswer = kNotTextNone;
    m_fileTime = FileTime{};
}

int DocumentFile::modeForPath(const std::string& p) const {
    return m_services.editor ? m_services.editor->modeForPath(p) : 0;
}

bool DocumentFile::isTagFileName(const std::string& p) const {
    if (!options().tagFileSet) return false;
    const std::string_view ext = extensionOf(fileNameOf(p));
    return ext.size() == 4 && std::equal(ext.begin(), ext.end(), ".tag", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

void DocumentFile::applyModeAndLayout(int mode, bool tagFile) {
    m_doc.setFileTypeMode(mode);
    m_tagFile = tagFile;
    LayoutOptions layout;
    if (m_services.editor && m_services.colours) {
        layout = orvex::layoutOptionsFor(m_services.editor->mode(mode), m_services.editor->options,
                                         *m_services.colours, options(), tagFile);
    } else {
        layout = m_doc.layoutOptions();
        layout.tagFile = tagFile;
    }
    // A window-width wrap keeps the width its views gave the document; the
    // views lay it out again when they have none yet.
    TextStore& text = m_doc.text();
    const int32_t width =
        layout.adjCol && text.lastLayoutWidth() > 0 ? text.wrapWidth() : computeWrapWidth(layout, nullptr);
    text.setLayout(layout, width);
    m_doc.layoutAll();
}

void DocumentFile::newDocument() {
    releaseLock();
    m_doc.reset(true);
    m_doc.setPathName({});
    m_doc.setReadOnly(false);
    m_userReadOnly = false;
    resetFileState();
    m_privateChars.clear();
    if (const int newCode = options().newKanji; newCode != kSaveShiftJis) {
        const FileForm form = formOfSaveCode(newCode);
        m_code = form.code;
        m_bom = form.bom;
        m_bigEndian = form.bigEndian;
    }
    syncEditSettings();
    applyModeAndLayout(0, false);
    m_doc.markLoaded();
    refreshTitle();
}

bool DocumentFile::open(const std::string& filePath, const OpenOptions& openOptions) {
    if (filePath.empty()) return false;
    const settings::DocumentOptions& o = options();
    const Platform& platform = m_doc.platform();
    syncEditSettings();

    // The file is read and converted in a buffer of its own, which the
    // document takes only when everything worked.
    TextBuffer fresh;
    TextBufferTarget target(fresh);
    cp932::PrivateCharTable chars;
    const SharedReadResult read = readTextFile(platform, filePath, static_cast<size_t>(TextStore::kMaxTextSize),
                                               o.autoKanji, target, &chars);
    m_notTextAnswer = read.notTextAnswer;
    if (!read.ok) {
        if (read.notTextAnswer == kNotTextView && m_services.showInViewer) m_services.showInViewer(filePath);
        return false;
    }
    const ConvertResult converted = convertText(fresh.bytes(), read.length, read.prepared, o.autoKanji);
    if (converted.length + 1 > static_cast<size_t>(TextStore::kMaxTextSize)) {
        if (platform.messages) platform.messages->showText(kFileTooLargeText, MsgIcon::Exclamation);
        return false;
    }
    fresh.resize(static_cast<int32_t>(converted.length));

    // The document takes the file.
    releaseLock();
    m_doc.reset(false);
    std::swap(m_doc.text().buffer(), fresh);
    m_doc.text().setRowSizeHint(static_cast<int32_t>(std::min<size_t>(converted.lineCount, INT32_MAX)));
    resetFileState();
    m_notTextAnswer = read.notTextAnswer;
    m_code = converted.code;
    m_lineEnd = converted.lineEnd;
    m_unicodeFile = read.prepared.unicode();
    m_bom = read.prepared.form.bom;
    m_bigEndian = read.prepared.form.bigEndian;
    m_charactersLost = read.prepared.lost;
    std::swap(m_privateChars, chars);
    m_privateChars.setTextSource([this] { return m_doc.text().view(); });
    m_eofMark = read.prepared.eofMark;
    m_fileTime = read.time;
    m_doc.setPathName(filePath);

    const bool tag = isTagFileName(filePath);
    m_userReadOnly = openOptions.readOnly;
    m_doc.setReadOnly(openOptions.readOnly || (tag && o.tagFileWrtProt));
    takeLock(openOptions.quiet);
    if (isReadOnlyFile(filePath)) m_doc.setReadOnly(true);
    // Characters that found no code would be lost by a save: the file is
    // only shown.
    if (m_charactersLost > 0) m_doc.setReadOnly(true);
    applyModeAndLayout(modeForPath(filePath), tag);
    m_doc.markLoaded();
    refreshTitle();
    reportUnreadable(platform, filePath, converted);
    if (m_charactersLost > 0 && platform.messages)
        platform.messages->showText(
            strings::substitute(kAreaFullWarning, {filePath, std::to_string(m_charactersLost),
                                                   std::to_string(cp932::PrivateCharTable::kCapacity)}),
            MsgIcon::Exclamation);
    return true;
}

void DocumentFile::takeLock(bool quiet) {
    if (!hasPath()) return;
    if (m_lock.take(path(), options().openFileLock) != FileLock::Result::Denied) return;
    const Platform& platform = m_doc.platform();
    if (!quiet && platform.messages)
        platform.messages->showId(strings::kWriteDeniedReadOnly, MsgIcon::Exclamation, MsgButtons::Ok, {path()});
    m_doc.setReadOnly(true);
}

bool DocumentFile::saveModified() {
    if (!m_doc.isModified()) return true;
    const Platform& platform = m_doc.platform();
    if (!platform.messages) return false;
    const std::string name = hasPath() ? path() : displayName();
    switch (platform.messages->showId(strings::kSaveChangesTo, MsgIcon::Exclamation, MsgButtons::YesNoCancel,
                                      {name})) {
        case MsgResult::Yes: return save();
        case MsgResult::No: return true;
        default: return false;
    }
}

void DocumentFile::close() {
    // Only a file that really is empty is offered for deletion: an empty
    // document whose edits were discarded may stand for a file that is not.
    bool offerDelete = false;
    if (options().delZeroFile && hasPath() && m_doc.text().length() == 0 && fileExists(path())) {
        const std::optional<uint64_t> size = fileSize(path());
        offerDelete = !m_doc.isModified() || (size && *size == 0);
    }
    releaseLock();
    if (!m_autoBackupFile.empty()) {
        ::unlink(m_autoBackupFile.c_str());
        m_autoBackupFile.clear();
    }
    const Platform& platform = m_doc.platform();
    if (offerDelete && platform.messages &&
        platform.messages->showId(strings::kEmptyFileDelete, MsgIcon::Question, MsgButtons::YesNo, {path()}) ==
            MsgResult::Yes)
        ::unlink(path().c_str());
}

bool DocumentFile::revert() {
    releaseLock();
    if (!hasPath()) {
        m_doc.reset(true);
        applyModeAndLayout(m_doc.fileTypeMode(), m_tagFile);
        m_doc.markLoaded();
        return true;
    }
    const std::string filePath = path();  // open() replaces the document's path
    if (open(filePath, OpenOptions{m_userReadOnly, false})) return true;
    takeLock(true);
    return false;
}

// ---- Automatic backup

bool DocumentFile::writeAutoBackupCopy() {
    if (m_autoBackupFile.empty()) {
        const std::string folder = autoBackupFolder(m_services.app ? m_services.app->autoBackupPath : std::string());
        if (hasPath()) {
            const std::time_t now = m_services.now();
            std::tm local{};
            localtime_r(&now, &local);
            m_autoBackupFile = autoBackupFileName(folder, path(), local);
        } else {
            m_autoBackupFile = createAutoBackupFile(folder);
        }
        if (m_autoBackupFile.empty()) return false;
    }
    // A document with characters code page 932 lacks is copied as UTF-8
    // with its mark, which a later load reads back with every character.
    if (!m_privateChars.empty())
        return !writeAutoBackup(m_autoBackupFile, "\xEF\xBB\xBF" + m_privateChars.toUtf8(m_doc.text().view()), m_eofMark)
                    .failed();
    return !writeAutoBackup(m_autoBackupFile, m_doc.text().view(), m_eofMark).failed();
}

void DocumentFile::autoBackupStep() {
    if (!m_doc.isModified() || m_doc.text().length() == 0) return;
    // The document itself is saved only where a save with the prompt would
    // not ask: it has a name, may be saved under it, and is text.
    if (m_services.app && m_services.app->autoBackup == 2 && hasPath() && !m_doc.readOnly() &&
        m_notTextAnswer == kNotTextNone) {
        const SaveOutcome outcome = write(path(), SaveKind::Automatic);
        if (outcome == SaveOutcome::Saved) {
            if (m_doc.platform().ui) m_doc.platform().ui->updateTitle(&m_doc);
            return;
        }
        if (outcome == SaveOutcome::Failed) return;  // reported
        // Lossy: the file's code cannot hold the text; a copy keeps it all.
    }
    if (writeAutoBackupCopy()) {
        m_autoBackupFailureShown = false;
        return;
    }
    // Reported once until a copy succeeds again, not at every tick.
    const Platform& platform = m_doc.platform();
    if (!m_autoBackupFailureShown && platform.messages)
        platform.messages->showId(strings::kBackupFailed, MsgIcon::Exclamation);
    m_autoBackupFailureShown = true;
}

bool DocumentFile::convert(int code, int lineEnd) {
    if (code != 0) setExplicitCode(code);
    if (lineEnd != 0) setExplicitLineEnd(lineEnd);
    if (m_doc.text().length() == 0 && !m_doc.isModified()) return true;
    return save();
}

}  // namespace orvex::files
