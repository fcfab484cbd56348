#include "qt/dialogs/KeyMacroTitlesDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/codepage/Cp932.h"
#include "common/commands/CommandRegistry.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

KeyMacroTitlesDialog::KeyMacroTitlesDialog(const std::array<std::string, 20>& titles, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(fromUtf8(commands::menuText(cmd::kKeyMacroTitles)));
    auto* grid = new QGridLayout;
    // Two columns of ten: slots 1-10 on the left, 11-20 on the right.
    for (int i = 0; i < 20; ++i) {
        auto* label = new QLabel(QString::number(i + 1), this);
        auto* edit = new QLineEdit(fromUtf8(cp932::toUtf8(titles[size_t(i)])), this);
        label->setBuddy(edit);
        m_fields[size_t(i)] = edit;
        const int column = i < 10 ? 0 : 2;
        grid->addWidget(label, i % 10, column, Qt::AlignRight);
        grid->addWidget(edit, i % 10, column + 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

std::array<std::string, 20> KeyMacroTitlesDialog::titles() const {
    std::array<std::string, 20> out;
    for (size_t i = 0; i < out.size(); ++i) out[i] = cp932::fromUtf8(m_fields[i]->text().toStdString());
    return out;
}

}  // namespace orvex::qt
