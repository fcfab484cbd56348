#include "qt/mainframe/FindBox.h"

#include <QKeyEvent>

namespace orvex::qt {

FindBox::FindBox(search::SearchState& state, std::function<void(const std::string&)> entered,
                 std::function<void()> escaped, QWidget* parent)
    : HistoryCombo(parent), m_state(state), m_entered(std::move(entered)), m_escaped(std::move(escaped)) {
    setObjectName(QStringLiteral("FindBox"));
    setMinimumContentsLength(1);
    setFixedWidth(kWidth);
    setHistory(m_state.searchHistory(), m_state.searchString());
    m_state.addListener(this);
}

FindBox::~FindBox() { m_state.removeListener(this); }

void FindBox::searchHistoryChanged() { setHistory(m_state.searchHistory(), m_state.searchString()); }

// Enter and Escape are taken here, not from the edit field's returnPressed:
// an Enter delivered to the field itself comes up to the box unhandled, and
// the combo box hands unhandled keys back to its field, so the signal fires
// twice for one key. Here every Enter is one search, whichever of the two
// has the key first.
void FindBox::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        e->accept();
        const std::string text = currentSjis();
        if (!text.empty() && m_entered) m_entered(text);
        return;
    }
    case Qt::Key_Escape:
        e->accept();
        if (m_escaped) m_escaped();
        return;
    default:
        HistoryCombo::keyPressEvent(e);
    }
}

}  // namespace orvex::qt
