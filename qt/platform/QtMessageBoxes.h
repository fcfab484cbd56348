#pragma once
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

#include "common/platform/MessageBoxes.h"

namespace orvex::qt {

// Message boxes on top of QMessageBox and custom-button questions
// (ChoiceDialog), parented to the main window when there is one. The box
// title is the application title, as every message of the program has it.
// A question with its own buttons stays off the screen rectangle the
// keep-clear provider gives (the caret's row while a match is asked
// about).
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void setKeepClearProvider(std::function<QRect()> provider) { m_keepClear = std::move(provider); }
    MsgResult show(const MessageRequest& request) override;
    int choose(const ChoiceRequest& request) override;

private:
    QPointer<QWidget> m_parent;
    std::function<QRect()> m_keepClear;
};

}  // namespace orvex::qt
