#pragma once
// A question with buttons of its own (MessageBoxes::choose), such as the
// replace confirmation "置換確認" with its five buttons: an icon, the text
// when there is one, and the buttons in the order given, the default one
// taking Enter. A button's access letter alone chooses it (Y, N, L, A, Q in
// the confirmation), as in a dialog without a text field. Escape and the
// window's close button choose the cancel button (or nothing when there is
// none).
//
// keepClear, when not empty, is a screen rectangle the dialog must not
// cover (the selected match the user is asked about): the dialog goes below
// it, or above it when there is no room below.
#include <QDialog>
#include <QRect>
#include <vector>

#include "common/platform/MessageBoxes.h"

class QPushButton;

namespace orvex::qt {

class ChoiceDialog final : public QDialog {
    Q_OBJECT
public:
    ChoiceDialog(const ChoiceRequest& request, QWidget* parent = nullptr);

    // The index of the chosen button after exec(), or the cancel button's.
    int choice() const { return m_choice; }
    const std::vector<QPushButton*>& buttons() const { return m_buttons; }
    // Moves the dialog off a screen rectangle (see above).
    void keepClearOf(const QRect& screenRect);

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::vector<QPushButton*> m_buttons;
    int m_choice = -1;
    int m_cancel = -1;
};

}  // namespace orvex::qt
