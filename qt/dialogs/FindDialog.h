#pragma once
// The find dialog "文字列の検索": the search string with its history, the
// options, and the three ways to close it with a search: toward the end
// "後方検索(&F)" (the default button), toward the start "前方検索(&B)", and
// search and mark "ﾏｰｸ設定(&M)". The buttons are greyed out while the
// string is empty.
#include <QDialog>

#include "search/SearchDialogs.h"

class QPushButton;

namespace orvex::qt {

class HistoryCombo;
class SearchOptionBoxes;

class FindDialog final : public QDialog {
    Q_OBJECT
public:
    FindDialog(const search::FindDialogData& data, QWidget* parent = nullptr);

    // After exec(): how it was closed, and the edited data.
    search::FindAction action() const { return m_action; }
    search::FindDialogData data() const;

    HistoryCombo* searchBox() const { return m_text; }
    SearchOptionBoxes& options() const { return *m_options; }
    QPushButton* button(search::FindAction action) const;

private:
    void finish(search::FindAction action);
    void updateButtons();

    search::FindDialogData m_data;
    search::FindAction m_action = search::FindAction::Cancel;
    HistoryCombo* m_text = nullptr;
    SearchOptionBoxes* m_options = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_backward = nullptr;
    QPushButton* m_mark = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace orvex::qt
