#include "qt/settings/QtSettingsDialogs.h"

#include <QApplication>

#include "qt/settings/CSheet.h"

namespace orvex::qt {

bool QtSettingsDialogs::editOptions(shell::OptionsDraft& draft, shell::OptionsSheetKind kind,
                                    const std::function<void(const shell::OptionsDraft&)>& apply) {
    CSheet sheet(draft, kind, apply, QApplication::activeWindow());
    return sheet.exec() == QDialog::Accepted;
}

}  // namespace orvex::qt
