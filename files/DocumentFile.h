#pragma once
// The file side of a document: opening a file into a CLuDoc, saving it back,
// the lock the document keeps on its file, backups before a save, automatic
// backups, revert, and what happens at close. Created together with its
// document by whoever creates documents, and destroyed with it.
//
//   CLuDoc doc(platform);
//   DocumentFile file(doc, services);
//   if (!file.open(path)) discard the document;
//   ...
//   file.save();                  // command 57603
//   if (file.saveModified()) { file.close(); destroy both; }
//
// The document keeps what views and layout read (its path, file-type mode,
// read-only flag, layout options); everything else about the file lives
// here: code and line-end type (with a Unicode file's byte-order mark and
// byte order), the explicit flags of the conversion commands, the
// end-of-file mark, the tag-file flag, the not-a-text answer, the file
// time, the lock and the automatic backup file.
//
// It also holds the document's table of characters code page 932 cannot
// hold (privateChars()): a Unicode file fills it at load, every save in a
// Unicode code writes those characters back, a save in any other code asks
// before it writes them as "?". Everything that turns the document's text
// into Unicode or Unicode into its text (drawing, clipboard, dialogs, the
// find box) converts through this table:
//
//   file.privateChars().toUtf16(sjis)            // to show or copy
//   auto in = file.privateChars().fromUtf16(s);  // to insert; in.lost > 0:
//                                                // the area is full
//
// A Unicode file with more distinct such characters than the area holds
// opens read-only with a message (charactersLost() tells how many became
// "?"), so the file itself is never overwritten with less.
//
// A load reads and converts the whole file before the document changes, so
// a failed open or revert leaves the document as it was. A save writes
// through SafeFileWriter: the old file stays whole until the new contents
// are complete.
#include <cstdint>
#include <optional>
#include <string>

#include "common/codepage/PrivateCharTable.h"
#include "files/CharCode.h"
#include "files/DocumentFileServices.h"
#include "files/DocumentWriter.h"
#include "files/FileError.h"
#include "files/FileInfo.h"
#include "files/FileLock.h"
#include "text/CLuDoc.h"

namespace orvex::files {

struct OpenOptions {
    bool readOnly = false;  // the user asked to open the file read-only
    bool quiet = false;     // a command-line run that suppresses messages: no lock message
};

enum class SaveKind {
    Replace,    // the document's own save: it becomes unmodified
    Copy,       // a copy under another name: the document stays as it is
    Automatic,  // the automatic backup's save: never asks, never writes "?"
};

class DocumentFile {
public:
    DocumentFile(CLuDoc& doc, DocumentFileServices services);
    ~DocumentFile();
    DocumentFile(const DocumentFile&) = delete;
    DocumentFile& operator=(const DocumentFile&) = delete;

    CLuDoc& document() { return m_doc; }
    const CLuDoc& document() const { return m_doc; }
    const DocumentFileServices& services() const { return m_services; }
    // The load and save settings in force.
    settings::DocumentOptions& options() const;

    // ---- State
    const std::string& path() const { return m_doc.pathName(); }
    bool hasPath() const { return !m_doc.pathName().empty(); }
    int code() const { return m_code; }
    // The code with its byte-order details, as the next save in the
    // document's own code writes it.
    FileForm form() const { return FileForm{m_code, m_bom, m_bigEndian}; }
    int lineEnd() const { return m_lineEnd; }
    bool utf16File() const { return m_code == kCodeUtf16 && m_unicodeFile; }
    // The file was read as Unicode (UTF-16 or UTF-8).
    bool unicodeFile() const { return m_unicodeFile; }
    // UTF-8 read with EF BB BF; UTF-16 read big-endian.
    bool hasBom() const { return m_bom; }
    bool bigEndian() const { return m_bigEndian; }
    // The table of the document's characters that code page 932 lacks.
    cp932::PrivateCharTable& privateChars() { return m_privateChars; }
    const cp932::PrivateCharTable& privateChars() const { return m_privateChars; }
    // Characters of the last load read as "?" because the area was full (the
    // document is then read-only).
    size_t charactersLost() const { return m_charactersLost; }
    bool eofMark() const { return m_eofMark; }
    bool tagFile() const { return m_tagFile; }
    int notTextAnswer() const { return m_notTextAnswer; }
    bool explicitCode() const { return m_explicitCode; }
    // What the next save of this document writes: the form (the save
    // dialog's code choice `SaveKanji` for every document, unless a
    // conversion set this one's code) and the line-end type (likewise
    // `SaveCR`). The status bar and the conversion menu show these.
    FileForm nextSaveForm() const;
    int nextSaveLineEnd() const;
    bool explicitLineEnd() const { return m_explicitLineEnd; }
    const FileTime& fileTime() const { return m_fileTime; }
    bool lockHeld() const { return m_lock.held(); }
    const std::string& autoBackupFile() const { return m_autoBackupFile; }
    // The name shown as the document's title: its file name (its full path
    // with FullPathDisp), or the untitled name.
    std::string displayName() const;

    // The conversion commands' choices: a code or a line-end type that
    // saves keep even when SaveKanji or SaveCR say otherwise.
    void setExplicitCode(int code);
    // The same with a Unicode form's details (UTF-8 with or without its
    // mark, UTF-16 in either byte order).
    void setExplicitForm(const FileForm& form);
    void setExplicitLineEnd(int lineEnd);
    // Marks the document as a tag file (a search or program result) or not;
    // lays it out again when that changes.
    void setTagFile(bool tagFile);

    // ---- Operations
    // Makes the document a new untitled one (empty, mode 0, title
    // "無題のﾌｧｲﾙ"), in the code of new documents (NewKanji; Shift JIS
    // leaves the code undetermined, as it always was).
    void newDocument();
    // Opens the file into the document. Failures are reported to the user;
    // on failure the document is unchanged.
    bool open(const std::string& path, const OpenOptions& options = {});
    // Saves under `path` (the document's own name, or a copy's). Refused
    // with 30056 for a read-only target; a failed backup is reported (30001)
    // and the save goes on.
    bool saveDocument(const std::string& path, SaveKind kind = SaveKind::Replace);
    // Saves with the save dialog when needed: always without a path, for a
    // read-only document and for one that is not text; otherwise under
    // `path`. replace: the document takes the name it was saved under
    // (save as); otherwise a copy is written.
    bool saveWithPrompt(const std::string& path, bool replace);
    // Command 57603: under the document's own name.
    bool save() { return saveWithPrompt(m_doc.pathName(), true); }
    // Before closing a modified document: asks whether to save it. False
    // when the document must stay open (cancelled, or the save failed).
    bool saveModified();
    // Closing: releases the lock, removes the automatic backup file and,
    // with DelZeroFile, offers to delete the file of an empty document.
    void close();
    // Re-reads the file (the revert command asks first). An untitled
    // document becomes empty. False when the file could not be read; the
    // document then keeps its text.
    bool revert();
    // The automatic backup of this document, run by AutoBackupService.
    void autoBackupStep();
    // A conversion command: sets the code and/or line-end type (0 leaves
    // one alone) with its explicit flag, then saves the document unless it
    // holds no text and is not modified.
    bool convert(int code, int lineEnd);

    // After a change of the settings: the editing switches (EditEnable,
    // KeepUndo, KeepModifyMk) and the layout options of the document's mode
    // are taken again, and the text is laid out anew.
    void applySettings();

    // ---- Pieces
    // Takes the lock on the document's file as OpenFileLock says; a file
    // that another program locks makes the document read-only (30012,
    // unless quiet).
    void takeLock(bool quiet = false);
    void releaseLock() { m_lock.release(); }
    // How a save writes this document now.
    WriteOptions writeOptions() const;

private:
    enum class SaveOutcome { Saved, Failed, Lossy };
    SaveOutcome write(const std::string& path, SaveKind kind);
    std::optional<std::string> askSaveName(bool replace);
    std::string defaultNameForPrompt() const;
    void applyModeAndLayout(int mode, bool tagFile);
    void resetFileState();
    void syncEditSettings();
    void refreshTitle();
    int modeForPath(const std::string& path) const;
    bool isTagFileName(const std::string& path) const;
    void reportError(const FileError& error, const std::string& path, bool writing) const;
    bool writeAutoBackupCopy();

    CLuDoc& m_doc;
    DocumentFileServices m_services;
    FileLock m_lock;

    int m_code = kCodeUndetermined;
    int m_lineEnd = kLineEndUndetermined;
    bool m_unicodeFile = false;
    bool m_bom = false;
    bool m_bigEndian = false;
    cp932::PrivateCharTable m_privateChars;
    size_t m_charactersLost = 0;
    bool m_eofMark = false;
    bool m_tagFile = false;
    bool m_explicitCode = false;
    bool m_explicitLineEnd = false;
    bool m_userReadOnly = false;  // opened read-only on request
    int m_notTextAnswer = 0;
    FileTime m_fileTime;
    std::string m_autoBackupFile;
    bool m_autoBackupFailureShown = false;
    mutable settings::DocumentOptions m_defaultOptions;  // used without services.document
};

}  // namespace orvex::files
