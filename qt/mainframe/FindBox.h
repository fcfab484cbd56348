#pragma once
// The toolbar's find box (id 32780 in a toolbar table): a drop-down combo
// box 160 pixels wide listing the search history. Enter makes its text the
// search string, exactly as the dialogs do (history first, no duplicates),
// and searches toward the end; Escape gives the keys back to the active
// view. The box follows the search state: whenever the history changes
// (a dialog, a find of the selection, another box) it shows the new list
// with the current search string.
#include <functional>
#include <string>

#include "qt/dialogs/HistoryCombo.h"
#include "search/SearchState.h"

namespace orvex::qt {

class FindBox final : public HistoryCombo, public search::SearchStateListener {
    Q_OBJECT
public:
    static constexpr int kWidth = 160;

    // entered gets the Shift JIS text on Enter; escaped runs on Escape.
    FindBox(search::SearchState& state, std::function<void(const std::string&)> entered,
            std::function<void()> escaped, QWidget* parent = nullptr);
    ~FindBox() override;

    void searchHistoryChanged() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    search::SearchState& m_state;
    std::function<void(const std::string&)> m_entered;
    std::function<void()> m_escaped;
};

}  // namespace orvex::qt
