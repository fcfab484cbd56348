#pragma once
// The replace dialog "文字列の置換": the search and replacement strings with
// their histories, the four options (whole word, match case, regular
// expression, in the selection), "置換文字列に特殊文字(\r,\n,\t)を許可(&C)",
// the two message options, and the buttons toward the end "後方置換(&F)"
// (the default), toward the start "前方置換(&B)" and replace all
// "全置換(&A)". The replacement may be empty; the search string may not.
#include <QDialog>

#include "search/SearchDialogs.h"

class QCheckBox;
class QPushButton;

namespace orvex::qt {

class HistoryCombo;
class SearchOptionBoxes;

class ReplaceDialog final : public QDialog {
    Q_OBJECT
public:
    ReplaceDialog(const search::ReplaceDialogData& data, QWidget* parent = nullptr);

    search::ReplaceAction action() const { return m_action; }
    search::ReplaceDialogData data() const;

    HistoryCombo* searchBox() const { return m_text; }
    HistoryCombo* replacementBox() const { return m_replacement; }
    SearchOptionBoxes& options() const { return *m_options; }
    QCheckBox* specialCharacters() const { return m_special; }
    QPushButton* button(search::ReplaceAction action) const;

private:
    void finish(search::ReplaceAction action);
    void updateButtons();

    search::ReplaceDialogData m_data;
    search::ReplaceAction m_action = search::ReplaceAction::Cancel;
    HistoryCombo* m_text = nullptr;
    HistoryCombo* m_replacement = nullptr;
    SearchOptionBoxes* m_options = nullptr;
    QCheckBox* m_special = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_backward = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace orvex::qt
