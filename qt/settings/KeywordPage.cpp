// The keyword page: the forty keywords of one group at a time, and the
// four prefixes of each line-start class.
#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>

#include "qt/platform/QtText.h"
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

namespace {

// The table edits a copy of the keyword store; the shown group's rows are
// taken into the copy whenever another group is chosen, and the copy goes
// into the draft on store().
class KeywordGroups : public QObject {
public:
    KeywordGroups(OptionForm* form, settings::KeywordStore& target) : QObject(form), m_target(target) {
        m_groups = new QComboBox(form);
        for (int g = 1; g <= settings::kKeywordGroups; ++g) m_groups->addItem(QStringLiteral("ｷｰﾜｰﾄﾞ%1").arg(g));
        m_table = new QTableWidget(settings::kKeywordsPerGroup, 1, form);
        m_table->horizontalHeader()->setVisible(false);
        m_table->horizontalHeader()->setStretchLastSection(true);
        m_table->setTabKeyNavigation(false);
        m_table->setMinimumHeight(220);
        form->custom("ｸﾞﾙｰﾌﾟ(&G)", m_groups, [this] { load(); },
                     [this] {
                         take();
                         m_target = m_work;
                     });
        form->custom("ｷｰﾜｰﾄﾞ(&K)", m_table, [] {}, [] {});
        connect(m_groups, &QComboBox::currentIndexChanged, this, [this](int g) {
            take();
            show(g);
        });
    }

private:
    void load() {
        m_work = m_target;
        if (m_groups->currentIndex() < 0) m_groups->setCurrentIndex(0);
        show(m_groups->currentIndex());
    }

    void show(int group) {
        m_shown = group;
        for (int r = 0; r < settings::kKeywordsPerGroup; ++r) {
            const int slot = group * settings::kKeywordsPerGroup + r;
            auto* item = new QTableWidgetItem(toQString(m_work.word(slot)));
            m_table->setItem(r, 0, item);
        }
    }

    // The shown rows into the copy: only rows the user changed, so that a
    // keyword the display could not show exactly stays as it was.
    void take() {
        if (m_shown < 0) return;
        for (int r = 0; r < settings::kKeywordsPerGroup; ++r) {
            const int slot = m_shown * settings::kKeywordsPerGroup + r;
            const QTableWidgetItem* item = m_table->item(r, 0);
            const QString now = item ? item->text().trimmed() : QString();
            if (now != toQString(m_work.word(slot))) m_work.setWord(slot, fromQString(now));
        }
    }

    settings::KeywordStore& m_target;
    settings::KeywordStore m_work;
    QComboBox* m_groups = nullptr;
    QTableWidget* m_table = nullptr;
    int m_shown = -1;
};

}  // namespace

OptionForm* makeKeywordPage(shell::OptionsDraft& d, QWidget* parent) {
    auto* f = new OptionForm(parent);
    f->group("ｷｰﾜｰﾄﾞ");
    new KeywordGroups(f, d.keywords);
    f->group("行頭文字列");
    static const char* const kLabels[] = {
        "行頭文字列1-1(&1)", "行頭文字列1-2", "行頭文字列1-3", "行頭文字列1-4",
        "行頭文字列2-1(&2)", "行頭文字列2-2", "行頭文字列2-3", "行頭文字列2-4",
        "行頭文字列3-1(&3)", "行頭文字列3-2", "行頭文字列3-3", "行頭文字列3-4",
        "行頭文字列4-1(&4)", "行頭文字列4-2", "行頭文字列4-3", "行頭文字列4-4",
    };
    for (size_t i = 0; i < d.document.titleStr.size(); ++i) f->text(kLabels[i], d.document.titleStr[i]);
    f->finish();
    return f;
}

}  // namespace orvex::qt
