#include "qt/macro/MacroInputDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/macro/MacroDialogTexts.h"

namespace orvex::qt {

MacroInputDialog::MacroInputDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(title, this);
    m_edit = new QLineEdit(this);
    label->setBuddy(m_edit);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QString::fromUtf8(macrotexts::kOk), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

QString MacroInputDialog::text() const { return m_edit->text(); }

}  // namespace orvex::qt
