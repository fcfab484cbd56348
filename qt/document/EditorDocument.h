#pragma once
// A document as the editor windows hold it: the text (CLuDoc) with its file
// state (path, character code, line-end type, end-of-file mark, file-type
// mode), loading and saving, the save prompts and the document's commands
// (save, save as).
//
// Loading reads through the shared reader and the character-code detection
// of files/; saving converts line by line with the code writer into a safe
// file writer, so a failed save leaves the old file untouched.
#include <cstdint>
#include <memory>
#include <string>

#include "common/commands/CommandTable.h"
#include "display/LayoutOptions.h"
#include "files/CharCode.h"
#include "files/FileInfo.h"
#include "text/CLuDoc.h"

namespace orvex::qt {

class EditorContext;

namespace cmdid {
constexpr CommandId kFileNew = 57600;
constexpr CommandId kFileOpen = 57601;
constexpr CommandId kFileClose = 57602;
constexpr CommandId kFileSave = 57603;
constexpr CommandId kFileSaveAs = 57604;
constexpr CommandId kSaveAll = 32800;
constexpr CommandId kCloseAll = 33007;
constexpr CommandId kAppExit = 57665;
}  // namespace cmdid

class EditorDocument final : public CommandTarget {
public:
    explicit EditorDocument(EditorContext& ctx);
    ~EditorDocument() override;
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    CLuDoc& doc() { return *m_doc; }
    const CLuDoc& doc() const { return *m_doc; }
    EditorContext& context() { return m_ctx; }

    const std::string& path() const { return m_path; }
    bool untitled() const { return m_path.empty(); }
    int mode() const { return m_mode; }
    int code() const { return m_code; }
    int lineEnd() const { return m_lineEnd; }
    bool readOnly() const { return m_doc->readOnly(); }
    // The name shown in titles (UTF-8): the file name, the full path with
    // FullPathDisp, or "無題のﾌｧｲﾙ".
    std::string displayName() const;

    // Reads a file (readSetting is AutoKanji or the open dialog's choice).
    // False after the message when it cannot be opened; the document is
    // then unchanged.
    bool load(const std::string& path, int readSetting);
    // Writes the text to path with the save settings (SaveKanji, SaveCR,
    // SaveEOF); false after the message. On success the document takes the
    // path and is no longer modified.
    bool write(const std::string& path);
    // Save under the own name, or with the dialog for an untitled or
    // read-only document; false when cancelled or failed.
    bool save();
    bool saveAs();
    // Before the window closes: the question 30042 for a modified document
    // (Yes saves, No discards, Cancel keeps it open). True when it may close.
    bool queryClose();

    // Lays the text out again with the layout options of its mode (after a
    // settings change).
    void applyLayoutOptions();

    bool onCommand(CommandId id) override;
    bool onUpdateCommand(CommandId id, CommandState& state) override;
    static const CommandTable<EditorDocument>& commandTable();

private:
    void setLayout(const LayoutOptions& options);
    void cmdSave(CommandId id);
    void updateSave(CommandId id, CommandState& state);
    void refreshTitle();

    EditorContext& m_ctx;
    std::unique_ptr<CLuDoc> m_doc;
    std::string m_path;
    int m_mode = 0;
    int m_code = files::kCodeUndetermined;
    int m_lineEnd = files::kLineEndUndetermined;
    bool m_eofMark = false;
    bool m_tagFile = false;
    files::FileTime m_time;
};

}  // namespace orvex::qt
