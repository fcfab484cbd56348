#pragma once
// The drop-down boxes of the search dialogs and the toolbar's find box: an
// editable combo box listing a history of Shift JIS strings, most recent
// first, with the current string in its edit field.
//
// The box never completes what is typed from its list (a search for "ab"
// must not become a search for "abc"), and it remembers the bytes it was
// given: a text that comes back unchanged is returned byte for byte, even
// when its bytes have no exact Unicode form.
#include <QComboBox>
#include <string>
#include <vector>

namespace orvex::qt {

class HistoryCombo : public QComboBox {
    Q_OBJECT
public:
    explicit HistoryCombo(QWidget* parent = nullptr);

    // The list and the edit text.
    void setHistory(const std::vector<std::string>& history, const std::string& current);
    void setCurrentSjis(const std::string& current);
    // The edit text as Shift JIS.
    std::string currentSjis() const;

private:
    std::vector<std::string> m_history;
    std::string m_current;
    QString m_currentShown;
};

}  // namespace orvex::qt
