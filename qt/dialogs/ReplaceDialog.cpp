#include "qt/dialogs/ReplaceDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "qt/platform/QtText.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

using search::ReplaceAction;

ReplaceDialog::ReplaceDialog(const search::ReplaceDialogData& data, QWidget* parent)
    : QDialog(parent), m_data(data) {
    namespace t = search::texts;
    setWindowTitle(fromUtf8(t::kReplaceTitle));

    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    top->addLayout(left, 1);
    auto* label = new QLabel(QString::fromUtf8(dialogtexts::kSearchString));
    left->addWidget(label);
    m_text = new HistoryCombo;
    m_text->setHistory(data.history, data.text);
    label->setBuddy(m_text);
    left->addWidget(m_text);
    auto* repLabel = new QLabel(QString::fromUtf8(dialogtexts::kReplacement));
    left->addWidget(repLabel);
    m_replacement = new HistoryCombo;
    m_replacement->setHistory(data.replaceHistory, data.replacement);
    repLabel->setBuddy(m_replacement);
    left->addWidget(m_replacement);
    auto* boxes = new QVBoxLayout;
    left->addLayout(boxes);
    m_options = new SearchOptionBoxes(boxes, data.flags, true);
    m_special = new QCheckBox(fromUtf8(t::kSpecialCharacters));
    m_special->setChecked(data.specialCharacters);
    // After the four search options, before the message options.
    boxes->insertWidget(4, m_special);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    top->addLayout(buttons);
    m_forward = new QPushButton(fromUtf8(t::kReplaceForward));
    m_backward = new QPushButton(fromUtf8(t::kReplaceBackward));
    m_all = new QPushButton(fromUtf8(t::kReplaceAll));
    m_cancel = new QPushButton(fromUtf8(dialogtexts::kCancel));
    for (QPushButton* b : {m_forward, m_backward, m_all, m_cancel}) buttons->addWidget(b);
    buttons->addStretch(1);
    m_forward->setDefault(true);
    connect(m_forward, &QPushButton::clicked, this, [this] { finish(ReplaceAction::Forward); });
    connect(m_backward, &QPushButton::clicked, this, [this] { finish(ReplaceAction::Backward); });
    connect(m_all, &QPushButton::clicked, this, [this] { finish(ReplaceAction::All); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    updateButtons();
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
}

QPushButton* ReplaceDialog::button(ReplaceAction action) const {
    switch (action) {
    case ReplaceAction::Forward: return m_forward;
    case ReplaceAction::Backward: return m_backward;
    case ReplaceAction::All: return m_all;
    case ReplaceAction::Cancel: break;
    }
    return m_cancel;
}

void ReplaceDialog::updateButtons() {
    const bool any = !m_text->currentText().isEmpty();
    for (QPushButton* b : {m_forward, m_backward, m_all}) b->setEnabled(any);
}

void ReplaceDialog::finish(ReplaceAction action) {
    if (m_text->currentText().isEmpty()) return;
    m_action = action;
    accept();
}

search::ReplaceDialogData ReplaceDialog::data() const {
    search::ReplaceDialogData d = m_data;
    d.text = m_text->currentSjis();
    d.replacement = m_replacement->currentSjis();
    d.flags = m_options->flags();
    d.specialCharacters = m_special->isChecked();
    return d;
}

}  // namespace orvex::qt
