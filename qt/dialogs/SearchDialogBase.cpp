#include "qt/dialogs/SearchDialogBase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

SearchDialogBase::SearchDialogBase(std::string_view title, const std::vector<std::string>& history,
                                   const std::string& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(fromUtf8(title));
    auto* top = new QHBoxLayout(this);
    m_left = new QVBoxLayout;
    top->addLayout(m_left, 1);
    auto* label = new QLabel(QString::fromUtf8(dialogtexts::kSearchString));
    m_left->addWidget(label);
    m_text = new HistoryCombo;
    m_text->setHistory(history, text);
    label->setBuddy(m_text);
    m_left->addWidget(m_text);
}

QVBoxLayout* SearchDialogBase::addOptionsAndButtons(const search::SearchFlags& flags, bool replacing,
                                                    const std::array<std::string_view, 3>& labels) {
    auto* boxes = new QVBoxLayout;
    m_left->addLayout(boxes);
    m_options = new SearchOptionBoxes(boxes, flags, replacing);
    m_left->addStretch(1);

    auto* column = new QVBoxLayout;
    static_cast<QHBoxLayout*>(layout())->addLayout(column);
    for (int action = 1; action <= 3; ++action) {
        m_buttons[size_t(action)] = new QPushButton(fromUtf8(labels[size_t(action - 1)]));
        connect(m_buttons[size_t(action)], &QPushButton::clicked, this, [this, action] { finish(action); });
    }
    m_buttons[0] = new QPushButton(fromUtf8(dialogtexts::kCancel));
    connect(m_buttons[0], &QPushButton::clicked, this, &QDialog::reject);
    for (int i : {1, 2, 3, 0}) column->addWidget(m_buttons[size_t(i)]);
    column->addStretch(1);
    m_buttons[1]->setDefault(true);

    connect(m_text, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    updateButtons();
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
    return boxes;
}

QPushButton* SearchDialogBase::actionButton(int action) const {
    return m_buttons[size_t(action >= 1 && action <= 3 ? action : 0)];
}

void SearchDialogBase::updateButtons() {
    const bool any = !m_text->currentText().isEmpty();
    for (int action = 1; action <= 3; ++action) m_buttons[size_t(action)]->setEnabled(any);
}

void SearchDialogBase::finish(int action) {
    if (m_text->currentText().isEmpty()) return;
    m_action = action;
    accept();
}

}  // namespace orvex::qt
