#include "qt/macro/QtMacroHostUi.h"

#include <QApplication>
#include <QMessageBox>

#include "qt/macro/MacroInputDialog.h"

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

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString displayText(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

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
    QMessageBox box(iconOf(request.icon), QString::fromUtf8(request.caption.c_str()), displayText(request.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    struct Spec {
        QMessageBox::StandardButton button;
        MsgResult result;
    };
    std::vector<Spec> specs;
    switch (request.buttons) {
    case MsgButtons::YesNo: specs = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}}; break;
    case MsgButtons::YesNoCancel:
        specs = {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No},
                 {QMessageBox::Cancel, MsgResult::Cancel}};
        break;
    case MsgButtons::OkCancel:
        specs = {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
        break;
    default: specs = {{QMessageBox::Ok, MsgResult::Ok}}; break;
    }
    QMessageBox::StandardButtons all;
    for (const Spec& s : specs) all |= s.button;
    box.setStandardButtons(all);
    if (request.defaultButton >= 0 && request.defaultButton < static_cast<int>(specs.size()))
        box.setDefaultButton(specs[static_cast<size_t>(request.defaultButton)].button);
    const int answer = box.exec();
    for (const Spec& s : specs)
        if (answer == s.button) return s.result;
    // Closed without a button: Cancel where there is one, else the last.
    for (const Spec& s : specs)
        if (s.result == MsgResult::Cancel) return s.result;
    return specs.back().result;
}

std::optional<std::string> QtMacroHostUi::inputHere(const std::string& title) {
    MacroInputDialog dialog(QString::fromUtf8(title.c_str()), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.text().toStdString();
}

}  // namespace orvex::qt
