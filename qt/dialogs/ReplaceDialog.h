#pragma once
// The replace dialog "文字列の置換": the search and replacement strings with
// their histories, the four options (whole word, match case, regular
// expression, in the selection), "置換文字列に特殊文字(\r,\n,\t)を許可(&C)",
// the two message options, and the buttons toward the end "後方置換(&F)"
// (the default), toward the start "前方置換(&B)" and replace all
// "全置換(&A)". The replacement may be empty; the search string may not.
#include "qt/dialogs/SearchDialogBase.h"
#include "search/SearchDialogs.h"

class QCheckBox;

namespace orvex::qt {

class ReplaceDialog final : public SearchDialogBase {
    Q_OBJECT
public:
    ReplaceDialog(const search::ReplaceDialogData& data, QWidget* parent = nullptr);

    search::ReplaceAction action() const { return search::ReplaceAction(chosenAction()); }
    search::ReplaceDialogData data() const;

    HistoryCombo* replacementBox() const { return m_replacement; }
    QCheckBox* specialCharacters() const { return m_special; }
    QPushButton* button(search::ReplaceAction action) const { return actionButton(int(action)); }

private:
    search::ReplaceDialogData m_data;
    HistoryCombo* m_replacement = nullptr;
    QCheckBox* m_special = nullptr;
};

}  // namespace orvex::qt
