#include "qt/platform/QtMessageBoxes.h"


#include "qt/dialogs/ChoiceDialog.h"
#include "qt/platform/MessageBoxDialog.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

MsgResult QtMessageBoxes::show(const MessageRequest& request) {
    const QString caption = request.caption.empty() ? fromUtf8(strings::text(strings::kAppTitle))
                                                    : fromUtf8(request.caption);
    return execMessageBox(request, caption, m_parent);
}

int QtMessageBoxes::choose(const ChoiceRequest& request) {
    ChoiceDialog dialog(request, m_parent);
    if (m_keepClear) dialog.keepClearOf(m_keepClear());
    dialog.exec();
    return dialog.choice();
}

}  // namespace orvex::qt
