// The colour page: one slot of the colour table at a time, chosen from a
// list, with its colour or "既定の色" (the stored -1, which takes the
// slot's default). A feature whose colour comes out equal to the text
// colour is not coloured at all; the page says so under the list.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <algorithm>

#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

namespace {

struct Slot {
    const char* label;
    int settings::ColourOptions::* field;  // or null: TextColor<n> with index n
    int n;
};

constexpr std::array<Slot, 29> kSlots = {{
    {"文字", &settings::ColourOptions::textColor, 0},
    {"背景", &settings::ColourOptions::windowColor, 0},
    {"改行ﾏｰｸ", &settings::ColourOptions::crColor, 0},
    {"[EOF]", &settings::ColourOptions::eofColor, 0},
    {"ｶｰｿﾙ行の下線", &settings::ColourOptions::lineColor, 0},
    {"ﾙｰﾗｰ", &settings::ColourOptions::rulaColor, 0},
    {"行番号", &settings::ColourOptions::lineNoColor, 0},
    {"変更行の行番号", &settings::ColourOptions::lineNo2Color, 0},
    {"ﾀﾌﾞ・全角空白ﾏｰｸ", nullptr, 2},
    {"ｷｰﾜｰﾄﾞ1", nullptr, 3},
    {"ｺﾒﾝﾄ", nullptr, 4},
    {"行頭文字列1", nullptr, 5},
    {"行頭文字列2", nullptr, 6},
    {"ｷｰﾜｰﾄﾞ2", nullptr, 7},
    {"ｷｰﾜｰﾄﾞ3", nullptr, 8},
    {"ｷｰﾜｰﾄﾞ4", nullptr, 9},
    {"行頭文字列3", nullptr, 10},
    {"行頭文字列4", nullptr, 11},
    {"ｷｰﾜｰﾄﾞ5", nullptr, 12},
    {"ｷｰﾜｰﾄﾞ6", nullptr, 13},
    {"ｷｰﾜｰﾄﾞ7", nullptr, 14},
    {"ｷｰﾜｰﾄﾞ8", nullptr, 15},
    {"URL", &settings::ColourOptions::urlColor, 0},
    {"ﾒｰﾙｱﾄﾞﾚｽ", &settings::ColourOptions::mailColor, 0},
    {"ｶｰｿﾙ行の文字", &settings::ColourOptions::curLineColor, 0},
    {"ｶｰｿﾙ行の背景", &settings::ColourOptions::curLineColorBk, 0},
    {"検索文字列", &settings::ColourOptions::findTextColor, 0},
    {"選択範囲の文字", &settings::ColourOptions::selTextColor, 0},
    {"選択範囲の背景", &settings::ColourOptions::windowColor2, 0},
}};

int& slotRef(settings::ColourOptions& c, const Slot& s) {
    return s.field ? c.*s.field : c.textColorN[size_t(s.n)];
}

// 0x00BBGGRR to and from QColor.
QColor toQColor(int v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
int fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// The controls work on a copy of the colours while the page is open; the
// copy goes into the draft on store().
class ColourSlots : public QObject {
public:
    ColourSlots(OptionForm* form, settings::ColourOptions& target) : QObject(form), m_target(target) {
        m_list = new QComboBox(form);
        for (const Slot& s : kSlots) m_list->addItem(QString::fromUtf8(s.label));
        m_system = new QCheckBox(QStringLiteral("既定の色(&D)"), form);
        m_pick = new QPushButton(QStringLiteral("色の選択(&C)..."), form);
        m_swatch = new QLabel(form);
        m_swatch->setMinimumSize(48, 20);
        m_swatch->setAutoFillBackground(true);
        form->custom("色を付ける項目(&I)", m_list, [this] { load(); }, [this] { m_target = m_work; });
        form->custom(nullptr, m_system, [] {}, [] {});
        form->custom(nullptr, m_pick, [] {}, [] {});
        form->custom("現在の色", m_swatch, [] {}, [] {});
        auto* note = new QLabel(QStringLiteral("文字の色と同じ色になった項目は色分けされません。"), form);
        note->setWordWrap(true);
        form->custom(nullptr, note, [] {}, [] {});
        connect(m_list, &QComboBox::currentIndexChanged, this, [this] { show(); });
        connect(m_system, &QCheckBox::toggled, this, [this](bool on) {
            int& v = current();
            if (on) v = -1;
            else if (v == -1) v = fromQColor(m_swatchColour);
            show();
        });
        connect(m_pick, &QPushButton::clicked, this, [this] {
            const QColor c = QColorDialog::getColor(m_swatchColour, m_pick->window(), QStringLiteral("色の選択"));
            if (!c.isValid()) return;
            current() = fromQColor(c);
            show();
        });
    }

    // For the keyboard walk and the tests: the slot list and its buttons.
    QComboBox* list() const { return m_list; }

private:
    int& current() { return slotRef(m_work, kSlots[size_t(std::max(0, m_list->currentIndex()))]); }

    void load() {
        m_work = m_target;
        if (m_list->currentIndex() < 0) m_list->setCurrentIndex(0);
        show();
    }

    void show() {
        const int v = current();
        {
            const QSignalBlocker block(m_system);
            m_system->setChecked(v == -1);
        }
        // A slot left to its default shows the palette's colour of its kind.
        m_swatchColour = v == -1 ? m_swatch->palette().color(QPalette::Text) : toQColor(v);
        QPalette p = m_swatch->palette();
        p.setColor(QPalette::Window, m_swatchColour);
        m_swatch->setPalette(p);
        m_pick->setEnabled(true);
    }

    settings::ColourOptions& m_target;
    settings::ColourOptions m_work;
    QComboBox* m_list = nullptr;
    QCheckBox* m_system = nullptr;
    QPushButton* m_pick = nullptr;
    QLabel* m_swatch = nullptr;
    QColor m_swatchColour;
};

}  // namespace

OptionForm* makeColourPage(shell::OptionsDraft& d, QWidget* parent) {
    auto* f = new OptionForm(parent);
    f->group("色");
    new ColourSlots(f, d.colours);
    f->finish();
    return f;
}

}  // namespace orvex::qt
