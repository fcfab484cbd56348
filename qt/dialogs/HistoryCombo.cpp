#include "qt/dialogs/HistoryCombo.h"

#include <QLineEdit>

#include "qt/platform/ActiveTextTable.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

HistoryCombo::HistoryCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(15);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
}

void HistoryCombo::setHistory(const std::vector<std::string>& history, const std::string& current) {
    const QSignalBlocker block(this);
    m_history = history;
    clear();
    for (const std::string& s : history) addItem(toQString(s, activeTextTable()));
    setCurrentSjis(current);
}

void HistoryCombo::setCurrentSjis(const std::string& current) {
    m_current = current;
    m_currentShown = toQString(current, activeTextTable());
    setCurrentIndex(-1);
    setEditText(m_currentShown);
}

std::string HistoryCombo::currentSjis() const {
    const QString shown = currentText();
    if (shown == m_currentShown) return m_current;
    // A history entry picked from the list keeps its bytes too.
    const int index = findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && size_t(index) < m_history.size()) return m_history[size_t(index)];
    return fromQString(shown, activeTextTable(), false);
}

}  // namespace orvex::qt
