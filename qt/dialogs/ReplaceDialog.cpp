#include "qt/dialogs/ReplaceDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "qt/platform/QtText.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

ReplaceDialog::ReplaceDialog(const search::ReplaceDialogData& data, QWidget* parent)
    : SearchDialogBase(search::texts::kReplaceTitle, data.history, data.text, parent), m_data(data) {
    namespace t = search::texts;
    auto* repLabel = new QLabel(QString::fromUtf8(dialogtexts::kReplacement));
    leftColumn()->addWidget(repLabel);
    m_replacement = new HistoryCombo;
    m_replacement->setHistory(data.replaceHistory, data.replacement);
    repLabel->setBuddy(m_replacement);
    leftColumn()->addWidget(m_replacement);
    QVBoxLayout* boxes = addOptionsAndButtons(data.flags, true, {t::kReplaceForward, t::kReplaceBackward, t::kReplaceAll});
    m_special = new QCheckBox(fromUtf8(t::kSpecialCharacters));
    m_special->setChecked(data.specialCharacters);
    // After the four search options, before the message options.
    boxes->insertWidget(4, m_special);
}

search::ReplaceDialogData ReplaceDialog::data() const {
    search::ReplaceDialogData d = m_data;
    d.text = searchBox()->currentSjis();
    d.replacement = m_replacement->currentSjis();
    d.flags = options().flags();
    d.specialCharacters = m_special->isChecked();
    return d;
}

}  // namespace orvex::qt
