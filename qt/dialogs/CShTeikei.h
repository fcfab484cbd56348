#pragma once
// The fixed-string sheet (32875 "定型文字列"): the twenty slots listed with
// their menu labels; the slot chosen shows its title and its text, both
// editable. The sheet edits copies; OK hands them back.
#include <QDialog>

#include "shell/FrameHost.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace orvex::qt {

class CShTeikei final : public QDialog {
    Q_OBJECT
public:
    explicit CShTeikei(const shell::FixedStringsRequest& request, QWidget* parent = nullptr);

    // The titles and texts as edited (Shift JIS).
    shell::FixedStringsRequest result() const;

    QListWidget* slotList() const { return m_list; }
    QLineEdit* titleField() const { return m_title; }
    QPlainTextEdit* textField() const { return m_text; }

private:
    void show(int slot);
    void keep();
    void relabel(int slot);

    shell::FixedStringsRequest m_data;  // the copies being edited (Shift JIS)
    int m_slot = -1;
    QListWidget* m_list = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace orvex::qt
