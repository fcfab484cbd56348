#pragma once
// What the find and replace dialogs share: the search string with its
// history at the top of the left column, the fields a dialog adds below it,
// the option boxes, and on the right the three action buttons (the first
// is the default) and Cancel. The action buttons are greyed out while the
// search string is empty. Actions are numbered as the core's action enums
// number them: 0 is Cancel, 1 to 3 the buttons from the top.
#include <QDialog>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "search/SearchState.h"

class QPushButton;
class QVBoxLayout;

namespace orvex::qt {

class HistoryCombo;
class SearchOptionBoxes;

class SearchDialogBase : public QDialog {
    Q_OBJECT
public:
    HistoryCombo* searchBox() const { return m_text; }
    SearchOptionBoxes& options() const { return *m_options; }

protected:
    SearchDialogBase(std::string_view title, const std::vector<std::string>& history, const std::string& text,
                     QWidget* parent);

    // Fields between the search string and the options go here.
    QVBoxLayout* leftColumn() const { return m_left; }
    // Adds the option boxes and the buttons; called once, after the fields.
    // Returns the layout of the option boxes.
    QVBoxLayout* addOptionsAndButtons(const search::SearchFlags& flags, bool replacing, const std::array<std::string_view, 3>& labels);

    int chosenAction() const { return m_action; }
    QPushButton* actionButton(int action) const;

private:
    void finish(int action);
    void updateButtons();

    int m_action = 0;
    QVBoxLayout* m_left = nullptr;
    HistoryCombo* m_text = nullptr;
    SearchOptionBoxes* m_options = nullptr;
    std::array<QPushButton*, 4> m_buttons{};  // Cancel, then the actions
};

}  // namespace orvex::qt
