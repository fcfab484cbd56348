#pragma once
// The find dialog "文字列の検索": the search string with its history, the
// options, and the three ways to close it with a search: toward the end
// "後方検索(&F)" (the default button), toward the start "前方検索(&B)", and
// search and mark "ﾏｰｸ設定(&M)". The buttons are greyed out while the
// string is empty.
#include "qt/dialogs/SearchDialogBase.h"
#include "search/SearchDialogs.h"

namespace orvex::qt {

class FindDialog final : public SearchDialogBase {
    Q_OBJECT
public:
    FindDialog(const search::FindDialogData& data, QWidget* parent = nullptr);

    // After exec(): how it was closed, and the edited data.
    search::FindAction action() const { return search::FindAction(chosenAction()); }
    search::FindDialogData data() const;

    QPushButton* button(search::FindAction action) const { return actionButton(int(action)); }

private:
    search::FindDialogData m_data;
};

}  // namespace orvex::qt
