#include "qt/dialogs/SeikeiPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

QCheckBox* check(const char* utf8, bool on) {
    auto* b = new QCheckBox(QString::fromUtf8(utf8));
    b->setChecked(on);
    return b;
}

// Joining option bits in the order of their bit numbers.
constexpr const char* kCrLabels[8] = {
    "改行コードを連結(&E)",
    "空白行による段落は連結しない(&F)",
    "行頭空白文字による段落は連結しない(&I)",
    "引用記号の位置を保持(&W)",
    "行末が次の文字であれば連結しない(&H)",
    "句点の後に改行を挿入(&B)",
    "行頭が次の文字であれば連結しない(&K)",
    "半角英数字の連結で空白文字を挿入(&X)",
};

}  // namespace

SeikeiPage::SeikeiPage(const settings::FormatPreset& preset, bool fullWidth, QWidget* parent)
    : QWidget(parent), m_preset(preset), m_fullWidth(fullWidth) {
    auto* top = new QVBoxLayout(this);
    auto* titleRow = new QFormLayout;
    m_title = new QLineEdit(toQString(preset.seikeiTT));
    titleRow->addRow(QString::fromUtf8("ﾀｲﾄﾙ(&T)"), m_title);
    top->addLayout(titleRow);

    // Breaking.
    auto* widthRow = new QHBoxLayout;
    m_breakAtWidth = check("一行の文字数を整える(&N)", preset.seikeiCH != 0);
    m_width = new QSpinBox;
    m_width->setRange(1, 250);
    m_width->setValue(std::clamp(fullWidth ? preset.seikei / 2 : preset.seikei, 1, 250));
    widthRow->addWidget(m_breakAtWidth);
    widthRow->addWidget(m_width);
    widthRow->addStretch();
    top->addLayout(widthRow);
    auto* kinsokuRow = new QHBoxLayout;
    m_kinsoku = check("禁則処理(&L)", preset.seikeiKinsoku != 0);
    m_hang = new QSpinBox;
    m_hang->setRange(0, 20);
    m_hang->setValue(std::clamp(preset.seikeiKinsokuWrap, 0, 20));
    m_wordWrap = check("ワードラップ(&M)", preset.seikeiWordWrap != 0);
    kinsokuRow->addWidget(m_kinsoku);
    kinsokuRow->addWidget(new QLabel(QString::fromUtf8("ぶら下げ文字数制限(&J)")));
    kinsokuRow->addWidget(m_hang);
    kinsokuRow->addWidget(m_wordWrap);
    kinsokuRow->addStretch();
    top->addLayout(kinsokuRow);

    // Joining.
    auto* join = new QGroupBox;
    auto* grid = new QGridLayout(join);
    for (int b = 0; b < 8; ++b) m_cr[b] = check(kCrLabels[b], (preset.seikeiCR >> b) & 1);
    m_noJoinEnd = new QLineEdit(toQString(preset.prohibitCnctChrL));
    m_noJoinStart = new QLineEdit(toQString(preset.prohibitCnctChr));
    int row = 0;
    for (int b : {0, 1, 2, 3, 5, 7}) grid->addWidget(m_cr[b], row++, 0, 1, 2);
    grid->addWidget(m_cr[4], row, 0);
    grid->addWidget(m_noJoinEnd, row++, 1);
    grid->addWidget(m_cr[6], row, 0);
    grid->addWidget(m_noJoinStart, row++, 1);
    top->addWidget(join);

    // Prefixes, indentation and blanks.
    auto* commentRow = new QHBoxLayout;
    m_commentIns = check("行頭にｺﾒﾝﾄ文字を挿入(&O)", preset.commentIns != 0);
    m_commentStr = new QLineEdit(toQString(preset.commentStr));
    commentRow->addWidget(m_commentIns);
    commentRow->addWidget(m_commentStr);
    top->addLayout(commentRow);
    auto* itemRow = new QHBoxLayout;
    m_danraku[0] = check("箇条書きｲﾝﾃﾞﾝﾄ(&P)", preset.danraku & 1);
    m_danraku[1] = check("自動認識(&Q)", preset.danraku & 2);
    itemRow->addWidget(m_danraku[0]);
    itemRow->addWidget(m_danraku[1]);
    itemRow->addStretch();
    top->addLayout(itemRow);
    m_tab = check("ﾀﾌﾞをｽﾍﾟｰｽに変換(&R)", preset.seikeiTab != 0);
    top->addWidget(m_tab);
    auto* blanks = new QHBoxLayout;
    m_delSpc[0] = check("余分な空白文字を削除(&S)", preset.seikeiDelSpc & 1);
    m_delSpc[1] = check("行頭の空白文字は除く(&U)", preset.seikeiDelSpc & 2);
    m_delSpc[2] = check("句点に続く空白文字は除く(&Y)", preset.seikeiDelSpc & 4);
    for (QCheckBox* b : m_delSpc) blanks->addWidget(b);
    top->addLayout(blanks);
    m_spc = check("半角英数字と全角文字の間にｽﾍﾟｰｽを挿入(&V)", preset.seikeiSpc != 0);
    top->addWidget(m_spc);
    m_wrapInf = check("実行時に文字数を問い合わせる(&C)", preset.wrapInf != 0);
    m_modifyAutoCR = check("実行後、自動改行の文字数を更新(&D)", preset.modifyAutoCR != 0);
    top->addWidget(m_wrapInf);
    top->addWidget(m_modifyAutoCR);

    // Range without a selection.
    auto* range = new QGroupBox(QString::fromUtf8("非選択時(&1)"));
    auto* rangeRow = new QHBoxLayout(range);
    m_paragraph = new QButtonGroup(this);
    int id = 0;
    for (const char* label : {"全文書を整形", "１行整形", "１段落整形"}) {
        auto* r = new QRadioButton(QString::fromUtf8(label));
        m_paragraph->addButton(r, id);
        rangeRow->addWidget(r);
        if (id == std::clamp(preset.seikeiParagraph, 0, 2)) r->setChecked(true);
        ++id;
    }
    top->addWidget(range);
    top->addStretch();
}

void SeikeiPage::setFullWidth(bool fullWidth) {
    if (fullWidth == m_fullWidth) return;
    const int shown = m_width->value();
    m_width->setValue(fullWidth ? std::max(1, shown / 2) : std::min(250, shown * 2));
    m_fullWidth = fullWidth;
}

settings::FormatPreset SeikeiPage::preset() const {
    settings::FormatPreset p = m_preset;
    p.seikeiTT = fromQString(m_title->text());
    p.seikei = std::clamp(m_fullWidth ? m_width->value() * 2 : m_width->value(), 1, 250);
    p.seikeiCH = m_breakAtWidth->isChecked() ? 1 : 0;
    p.seikeiCR = 0;
    for (int b = 0; b < 8; ++b)
        if (m_cr[b]->isChecked()) p.seikeiCR |= 1 << b;
    p.seikeiKinsoku = m_kinsoku->isChecked() ? 1 : 0;
    p.seikeiKinsokuWrap = m_hang->value();
    p.seikeiWordWrap = m_wordWrap->isChecked() ? 1 : 0;
    p.commentIns = m_commentIns->isChecked() ? 1 : 0;
    p.commentStr = fromQString(m_commentStr->text());
    p.danraku = (m_danraku[0]->isChecked() ? 1 : 0) | (m_danraku[1]->isChecked() ? 2 : 0);
    p.seikeiTab = m_tab->isChecked() ? 1 : 0;
    // The two exceptions take effect only with the removal itself.
    p.seikeiDelSpc = 0;
    if (m_delSpc[0]->isChecked())
        p.seikeiDelSpc = 1 | (m_delSpc[1]->isChecked() ? 2 : 0) | (m_delSpc[2]->isChecked() ? 4 : 0);
    p.seikeiSpc = m_spc->isChecked() ? 1 : 0;
    p.wrapInf = m_wrapInf->isChecked() ? 1 : 0;
    p.modifyAutoCR = m_modifyAutoCR->isChecked() ? 1 : 0;
    p.prohibitCnctChr = fromQString(m_noJoinStart->text());
    p.prohibitCnctChrL = fromQString(m_noJoinEnd->text());
    p.seikeiParagraph = std::max(0, m_paragraph->checkedId());
    return p;
}

}  // namespace orvex::qt
