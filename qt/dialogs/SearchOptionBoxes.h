#pragma once
// The option check boxes the find and replace dialogs share: whole word,
// match case, regular expression, optionally "in the selection", and the
// two message options (no wrap-around question, no message when nothing is
// found). Whole word is unticked and greyed out while the regular
// expression is ticked, because the two never hold together.
#include <QObject>

#include "search/SearchState.h"

class QCheckBox;
class QBoxLayout;

namespace orvex::qt {

class SearchOptionBoxes final : public QObject {
    Q_OBJECT
public:
    // Adds the boxes to layout, ticked as flags say; withSelection adds the
    // in-selection box.
    SearchOptionBoxes(QBoxLayout* layout, const search::SearchFlags& flags, bool withSelection);

    // The flags with the boxes' states (fields without a box keep their
    // values).
    search::SearchFlags flags() const;

    QCheckBox* wholeWord() const { return m_word; }
    QCheckBox* matchCase() const { return m_case; }
    QCheckBox* regex() const { return m_regex; }
    QCheckBox* inSelection() const { return m_selection; }
    QCheckBox* noWrapQuestion() const { return m_noWrap; }
    QCheckBox* noFailureMessage() const { return m_noFailure; }

private:
    search::SearchFlags m_flags;
    QCheckBox* m_word = nullptr;
    QCheckBox* m_case = nullptr;
    QCheckBox* m_regex = nullptr;
    QCheckBox* m_selection = nullptr;
    QCheckBox* m_noWrap = nullptr;
    QCheckBox* m_noFailure = nullptr;
};

}  // namespace orvex::qt
