#pragma once
// The search commands' dialogs shown as Qt dialogs, modal over the main
// window: "文字列の検索", "文字列の置換", "一括置換" and "ﾌｧｲﾙから文字列の検索". Each edits the
// command's data in place when it closes with one of its action buttons.
#include <QPointer>
#include <QWidget>

#include "search/SearchDialogs.h"

namespace orvex::qt {

class QtSearchDialogs final : public search::SearchDialogs {
public:
    void setParent(QWidget* parent) { m_parent = parent; }

    search::FindAction askFind(search::FindDialogData& data) override;
    search::ReplaceAction askReplace(search::ReplaceDialogData& data) override;
    search::BatchAction askBatch(search::BatchDialogData& data) override;
    bool askFindInFiles(search::FindInFilesDialogData& data) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace orvex::qt
