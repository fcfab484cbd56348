#include "qt/platform/MessageBoxDialog.h"

#include <QMessageBox>
#include <vector>

namespace orvex::qt {

namespace {

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Error: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    MsgResult result;
};

std::vector<ButtonSpec> buttonsOf(MsgButtons b) {
    switch (b) {
        case MsgButtons::Ok: return {{QMessageBox::Ok, MsgResult::Ok}};
        case MsgButtons::OkCancel: return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::YesNo: return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
        case MsgButtons::YesNoCancel:
            return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::RetryCancel:
            return {{QMessageBox::Retry, MsgResult::Retry}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::AbortRetryIgnore:
            return {{QMessageBox::Abort, MsgResult::Abort}, {QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Ignore, MsgResult::Ignore}};
    }
    return {{QMessageBox::Ok, MsgResult::Ok}};
}

// The classic message texts use CR LF inside; Qt wants plain line feeds.
QString displayText(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

}  // namespace

MsgResult execMessageBox(const MessageRequest& request, const QString& caption, QWidget* parent) {
    QMessageBox box(toQt(request.icon), caption, displayText(request.text), QMessageBox::NoButton, parent);
    auto specs = buttonsOf(request.buttons);
    QMessageBox::StandardButtons all;
    for (const auto& s : specs) all |= s.button;
    box.setStandardButtons(all);
    if (request.defaultButton >= 0 && request.defaultButton < static_cast<int>(specs.size()))
        box.setDefaultButton(specs[static_cast<size_t>(request.defaultButton)].button);
    const int answer = box.exec();
    for (const auto& s : specs)
        if (answer == s.button) return s.result;
    // Closed with Escape: the classic boxes answer Cancel, or No / Ok when
    // there is no Cancel button.
    for (const auto& s : specs)
        if (s.result == MsgResult::Cancel) return s.result;
    return specs.back().result;
}

}  // namespace orvex::qt
