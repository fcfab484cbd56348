#include "qt/macro/QtMacroHostUi.h"

#include <QApplication>

#include "qt/macro/MacroInputDialog.h"
#include "qt/platform/MessageBoxDialog.h"

namespace orvex::qt {

namespace {

// Private requests to the receiver; lParam points at the caller's data.
constexpr uint32_t kMsgShowBox = 0x0500;
constexpr uint32_t kMsgInput = 0x0501;

struct BoxCall {
    const MessageRequest* request;
    MsgResult result = MsgResult::Ok;
};

struct InputCall {
    const std::string* title;
    std::optional<std::string> result;
};

}  // namespace

QtMacroHostUi::~QtMacroHostUi() { detach(); }

void QtMacroHostUi::attach() {
    if (!m_handle) m_handle = win::registerWindow(this);
}

void QtMacroHostUi::detach() {
    if (m_handle) win::unregisterWindow(m_handle);
    m_handle = nullptr;
}

MsgResult QtMacroHostUi::show(const MessageRequest& request) {
    if (win::onUiThread() || !m_handle) return showHere(request);
    BoxCall call{&request, MsgResult::Ok};
    if (!win::sendMessage(m_handle, kMsgShowBox, 0, reinterpret_cast<win::LParam>(&call))) return MsgResult::Cancel;
    return call.result;
}

std::optional<std::string> QtMacroHostUi::input(const std::string& title) {
    if (win::onUiThread() || !m_handle) return inputHere(title);
    InputCall call{&title, std::nullopt};
    win::sendMessage(m_handle, kMsgInput, 0, reinterpret_cast<win::LParam>(&call));
    return call.result;
}

win::LResult QtMacroHostUi::onMessage(uint32_t msg, win::WParam, win::LParam lParam) {
    if (msg == kMsgShowBox) {
        auto* call = reinterpret_cast<BoxCall*>(lParam);
        call->result = showHere(*call->request);
        return 1;
    }
    if (msg == kMsgInput) {
        auto* call = reinterpret_cast<InputCall*>(lParam);
        call->result = inputHere(*call->title);
        return 1;
    }
    return 0;
}

MsgResult QtMacroHostUi::showHere(const MessageRequest& request) {
    return execMessageBox(request, QString::fromUtf8(request.caption.c_str()), QApplication::activeWindow());
}

std::optional<std::string> QtMacroHostUi::inputHere(const std::string& title) {
    MacroInputDialog dialog(QString::fromUtf8(title.c_str()), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.text().toStdString();
}

}  // namespace orvex::qt
