#include "qt/dialogs/FindDialog.h"

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

using search::FindAction;

FindDialog::FindDialog(const search::FindDialogData& data, QWidget* parent) : QDialog(parent), m_data(data) {
    namespace t = search::texts;
    setWindowTitle(fromUtf8(t::kFindTitle));

    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    top->addLayout(left, 1);
    auto* label = new QLabel(QString::fromUtf8(dialogtexts::kSearchString));
    left->addWidget(label);
    m_text = new HistoryCombo;
    m_text->setHistory(data.history, data.text);
    label->setBuddy(m_text);
    left->addWidget(m_text);
    auto* boxes = new QVBoxLayout;
    left->addLayout(boxes);
    m_options = new SearchOptionBoxes(boxes, data.flags, false);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    top->addLayout(buttons);
    m_forward = new QPushButton(fromUtf8(t::kFindForward));
    m_backward = new QPushButton(fromUtf8(t::kFindBackward));
    m_mark = new QPushButton(fromUtf8(t::kFindMark));
    m_cancel = new QPushButton(fromUtf8(dialogtexts::kCancel));
    for (QPushButton* b : {m_forward, m_backward, m_mark, m_cancel}) buttons->addWidget(b);
    buttons->addStretch(1);
    m_forward->setDefault(true);
    connect(m_forward, &QPushButton::clicked, this, [this] { finish(FindAction::Forward); });
    connect(m_backward, &QPushButton::clicked, this, [this] { finish(FindAction::Backward); });
    connect(m_mark, &QPushButton::clicked, this, [this] { finish(FindAction::Mark); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    updateButtons();
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
}

QPushButton* FindDialog::button(FindAction action) const {
    switch (action) {
    case FindAction::Forward: return m_forward;
    case FindAction::Backward: return m_backward;
    case FindAction::Mark: return m_mark;
    case FindAction::Cancel: break;
    }
    return m_cancel;
}

void FindDialog::updateButtons() {
    const bool any = !m_text->currentText().isEmpty();
    for (QPushButton* b : {m_forward, m_backward, m_mark}) b->setEnabled(any);
}

void FindDialog::finish(FindAction action) {
    if (m_text->currentText().isEmpty()) return;
    m_action = action;
    accept();
}

search::FindDialogData FindDialog::data() const {
    search::FindDialogData d = m_data;
    d.text = m_text->currentSjis();
    d.flags = m_options->flags();
    return d;
}

}  // namespace orvex::qt
