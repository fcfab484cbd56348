#pragma once
// The clipboard history and scrap book window ("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴 &
// ｽｸﾗｯﾌﾟﾌﾞｯｸ"): two tabs over one list of entries, newest first, with the
// buttons that insert an entry at the caret, copy it to the clipboard or
// the scrap book, edit, delete or clear, and the three options
// "実行後削除(&A)" (ClipDel), "実行後閉じる(&F)" (ClipClose) and
// "履歴開始(&X)" (ClipHistory). Modeless: it follows the stores while open.
#include <QDialog>
#include <functional>

class QCheckBox;
class QListWidget;
class QPushButton;
class QTabBar;

namespace orvex::shell {
class EditorSession;
}

namespace orvex::qt {

class TextStoresWindow final : public QDialog {
    Q_OBJECT
public:
    TextStoresWindow(shell::EditorSession& session, QWidget* parent = nullptr);

    void showTab(bool scrapBook);
    // The stores changed: the list follows.
    void refresh();

    QListWidget* list() const { return m_list; }
    QTabBar* tabs() const { return m_tabs; }
    QPushButton* button(const char* objectName) const;
    QCheckBox* historyBox() const { return m_history; }
    QCheckBox* deleteAfterBox() const { return m_deleteAfter; }
    QCheckBox* closeAfterBox() const { return m_closeAfter; }

    // Asks for an entry's new text (the edit button); tests replace it.
    std::function<bool(QString& text)> askEdit;

private:
    bool scrapTab() const;
    const std::vector<std::string>& entries() const;
    // Index into entries() of the selected row (the list shows newest
    // first); -1 when none is selected.
    int selectedEntry() const;
    void insertSelected();
    void copySelected();
    void copyToScrap();
    void editSelected();
    void removeSelected();
    void removeAll();
    void used(int entry);

    shell::EditorSession& m_session;
    QTabBar* m_tabs = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_deleteAfter = nullptr;
    QCheckBox* m_closeAfter = nullptr;
    QCheckBox* m_history = nullptr;
};

}  // namespace orvex::qt
