#pragma once
// The macro settings sheet "ﾏｸﾛの設定": ten pages, one per macro slot, with
// the slot's title and macro file. OK and the page buttons "実行(&G)",
// "ﾃﾞﾊﾞｯｸﾞ(&D)" and "編集(&E)" close the sheet and hand the ten slots back;
// the page shown last is reported however it closes.
#include <QDialog>
#include <array>

#include "shell/MacroDialogs.h"

class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace orvex::qt {

class MacroPage final : public QWidget {
    Q_OBJECT
public:
    MacroPage(const std::string& title, const std::string& path, int backgroundRun, QWidget* parent = nullptr);

    QLineEdit* titleField() const { return m_title; }
    QLineEdit* pathField() const { return m_path; }
    QCheckBox* backgroundBox() const { return m_background; }

    std::string title() const;  // Shift JIS
    std::string path() const;   // the file system's bytes

signals:
    void closeRequested(int close);

private:
    QLineEdit* m_title = nullptr;
    QLineEdit* m_path = nullptr;
    QCheckBox* m_background = nullptr;
};

class CShMacro final : public QDialog {
    Q_OBJECT
public:
    explicit CShMacro(const shell::MacroSheetRequest& request, QWidget* parent = nullptr);

    // Fills the request's slots (unless cancelled), page and close.
    void finishInto(shell::MacroSheetRequest& request) const;

    QTabWidget* tabs() const { return m_tabs; }
    MacroPage* page(int n) const { return m_pages[size_t(n)]; }

private:
    void finish(shell::MacroSheetRequest::Close close);

    QTabWidget* m_tabs = nullptr;
    std::array<MacroPage*, shell::kMacroSlotCount> m_pages{};
    shell::MacroSheetRequest::Close m_close = shell::MacroSheetRequest::Close::Cancel;
};

}  // namespace orvex::qt
