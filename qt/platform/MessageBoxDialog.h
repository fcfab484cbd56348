#pragma once
// One message box of the core's kind shown with Qt: the request's icon,
// text (CR LF inside becomes a line feed), buttons and default button,
// answered in the classic numbering. Closing it without a button answers
// Cancel where there is one, else the last button. The editor's message
// boxes and the macro library's use it.
#include <QString>

#include "common/platform/MessageBoxes.h"

class QWidget;

namespace orvex::qt {

MsgResult execMessageBox(const MessageRequest& request, const QString& caption, QWidget* parent);

}  // namespace orvex::qt
