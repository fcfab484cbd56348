#include "qt/dialogs/ColumnCountDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/dialogs/DialogTexts.h"

namespace orvex::qt {

ColumnCountDialog::ColumnCountDialog(const Request& request, QWidget* parent) : QDialog(parent), m_request(request) {
    setWindowTitle(request.title);
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    top->addLayout(form);
    m_spin = new QSpinBox;
    m_spin->setRange(0, 99999);
    form->addRow(request.label, m_spin);
    m_wide = new QCheckBox(QString::fromUtf8(dialogtexts::kFullWidth));
    m_wide->setChecked(request.fullWidth);
    top->addWidget(m_wide);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    top->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    showColumns(request.columns, request.fullWidth);
    connect(m_spin, &QSpinBox::valueChanged, this, [this] {
        if (!m_updating) m_edited = true;
    });
    connect(m_wide, &QCheckBox::toggled, this, [this](bool wide) {
        // The number shown changes its unit; what it stands for stays.
        const int shown = m_spin->value();
        m_updating = true;
        m_spin->setValue(wide ? shown / 2 : shown * 2);
        m_updating = false;
    });
    m_spin->setFocus();
    m_spin->selectAll();
}

void ColumnCountDialog::showColumns(int columns, bool fullWidth) {
    m_updating = true;
    m_spin->setValue(fullWidth ? columns / 2 : columns);
    m_updating = false;
}

int ColumnCountDialog::columns() const {
    const int columns = m_edited ? m_spin->value() * (m_wide->isChecked() ? 2 : 1) : m_request.columns;
    return std::clamp(columns, m_request.minimum, m_request.maximum);
}

bool ColumnCountDialog::fullWidth() const { return m_wide->isChecked(); }

}  // namespace orvex::qt
