#pragma once
// The Input built-in's dialog: no caption, the title as a label above one
// edit field that starts empty, and an OK button.
#include <QDialog>

class QLineEdit;

namespace orvex::qt {

class MacroInputDialog final : public QDialog {
public:
    MacroInputDialog(const QString& title, QWidget* parent);
    QString text() const;

private:
    QLineEdit* m_edit;
};

}  // namespace orvex::qt
