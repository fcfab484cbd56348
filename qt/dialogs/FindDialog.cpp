#include "qt/dialogs/FindDialog.h"

#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/SearchOptionBoxes.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

FindDialog::FindDialog(const search::FindDialogData& data, QWidget* parent)
    : SearchDialogBase(search::texts::kFindTitle, data.history, data.text, parent), m_data(data) {
    namespace t = search::texts;
    addOptionsAndButtons(data.flags, false, {t::kFindForward, t::kFindBackward, t::kFindMark});
}

search::FindDialogData FindDialog::data() const {
    search::FindDialogData d = m_data;
    d.text = searchBox()->currentSjis();
    d.flags = options().flags();
    return d;
}

}  // namespace orvex::qt
