#pragma once
#include <QPointer>
#include <QWidget>

#include "common/platform/MessageBoxes.h"

namespace orvex::qt {

// Message boxes and custom-button questions on top of QMessageBox, parented
// to the main window when there is one. The box title is the application
// title, as every message of the program has it.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    MsgResult show(const MessageRequest& request) override;
    int choose(const ChoiceRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace orvex::qt
