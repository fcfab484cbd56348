#pragma once
// The viewer window "ﾌｧｲﾙ ｲﾒｰｼﾞ" for a file the editor did not load as
// text: rich text shown formatted, anything else as a dump; "閉じる",
// "ｺﾋﾟｰ" (the selection) and "全ｺﾋﾟｰ" (everything, then back to the start).
// Rich text is produced by a worker thread and read in on the window's
// thread through the chunk hand-over, the window's events going on while it
// waits. Word and Write documents, whose converters do not exist here, get
// the missing-converter message and the dump.
#include <QDialog>
#include <memory>
#include <string>

class QPushButton;
class QTextEdit;

namespace orvex::viewer {
struct RichDocument;
}

namespace orvex::qt {

class HexDumpView;

class ViewerDialog final : public QDialog {
    Q_OBJECT
public:
    ViewerDialog(const std::string& path, bool forceDump, QWidget* parent = nullptr);
    ~ViewerDialog() override;

    // What the window shows, for tests: "rich" or "dump".
    bool showsRichText() const { return m_rich != nullptr; }
    QString shownText() const;

    static constexpr const char* kTitle = "ﾌｧｲﾙ ｲﾒｰｼﾞ";

private:
    void showDump();
    void showRichText();
    void fill(const viewer::RichDocument& doc);
    void copySelection();
    void copyAll();

    std::string m_bytes;  // the file, for the dump
    QTextEdit* m_rich = nullptr;
    HexDumpView* m_dump = nullptr;
};

}  // namespace orvex::qt
