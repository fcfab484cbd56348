#include "qt/dialogs/SearchOptionBoxes.h"

#include <QBoxLayout>
#include <QCheckBox>

#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

namespace {

QCheckBox* box(QBoxLayout* layout, std::string_view text, bool checked) {
    auto* b = new QCheckBox(fromUtf8(text));
    b->setChecked(checked);
    layout->addWidget(b);
    return b;
}

}  // namespace

SearchOptionBoxes::SearchOptionBoxes(QBoxLayout* layout, const search::SearchFlags& flags, bool withSelection)
    : QObject(layout), m_flags(flags) {
    namespace t = search::texts;
    m_word = box(layout, t::kWholeWord, flags.wholeWord && !flags.regex);
    m_case = box(layout, t::kMatchCase, flags.matchCase);
    m_regex = box(layout, t::kRegex, flags.regex);
    if (withSelection) m_selection = box(layout, dialogtexts::kInSelection, flags.inSelection);
    m_noWrap = box(layout, dialogtexts::kNoWrapQuestion, (flags.messages & search::kNoWrapQuestion) != 0);
    m_noFailure = box(layout, dialogtexts::kNoFailureMessage, (flags.messages & search::kNoFailureMessage) != 0);
    m_word->setEnabled(!flags.regex);
    connect(m_regex, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_word->setChecked(false);
        m_word->setEnabled(!on);
    });
}

search::SearchFlags SearchOptionBoxes::flags() const {
    search::SearchFlags f = m_flags;
    f.regex = m_regex->isChecked();
    f.wholeWord = m_word->isChecked() && !f.regex;
    f.matchCase = m_case->isChecked();
    if (m_selection) f.inSelection = m_selection->isChecked();
    f.messages = (m_flags.messages & ~(search::kNoWrapQuestion | search::kNoFailureMessage)) |
                 (m_noWrap->isChecked() ? search::kNoWrapQuestion : 0) |
                 (m_noFailure->isChecked() ? search::kNoFailureMessage : 0);
    return f;
}

}  // namespace orvex::qt
