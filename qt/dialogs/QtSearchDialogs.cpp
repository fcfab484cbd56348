#include "qt/dialogs/QtSearchDialogs.h"

#include "qt/dialogs/BatchReplaceDialog.h"
#include "qt/dialogs/FindDialog.h"
#include "qt/dialogs/FindInFilesDialog.h"
#include "qt/dialogs/ReplaceDialog.h"

namespace orvex::qt {

search::FindAction QtSearchDialogs::askFind(search::FindDialogData& data) {
    FindDialog dialog(data, m_parent);
    if (dialog.exec() != QDialog::Accepted) return search::FindAction::Cancel;
    data = dialog.data();
    return dialog.action();
}

search::ReplaceAction QtSearchDialogs::askReplace(search::ReplaceDialogData& data) {
    ReplaceDialog dialog(data, m_parent);
    if (dialog.exec() != QDialog::Accepted) return search::ReplaceAction::Cancel;
    data = dialog.data();
    return dialog.action();
}

search::BatchAction QtSearchDialogs::askBatch(search::BatchDialogData& data) {
    BatchReplaceDialog dialog(data, m_parent);
    if (dialog.exec() != QDialog::Accepted) return search::BatchAction::Cancel;
    data = dialog.data();
    return dialog.action();
}

bool QtSearchDialogs::askFindInFiles(search::FindInFilesDialogData& data) {
    FindInFilesDialog dialog(data, m_parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    data = dialog.data();
    return true;
}

}  // namespace orvex::qt
