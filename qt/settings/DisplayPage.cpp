// The display page: the display font, marks, ruler, caret line, margins,
// the caret's shape and the scroll bars.
#include <QCheckBox>
#include <QFontComboBox>
#include <QSpinBox>

#include "qt/platform/QtText.h"
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

namespace {

// Face, height and weight of the display font. The stored height is
// negative for a character height (as the font is written); a stored 0
// means no font chosen and stays 0 until the user picks a height.
void addFontControls(OptionForm* f, settings::LogFont& font) {
    auto* face = new QFontComboBox(f);
    face->setEditable(true);
    f->custom("ﾌｫﾝﾄ(&F)", face, [face, &font] { face->setEditText(toQString(font.faceName)); },
              [face, &font] {
                  const QString now = face->currentText().trimmed();
                  if (!now.isEmpty() && now != toQString(font.faceName)) font.faceName = fromQString(now);
              });
    auto* height = new QSpinBox(f);
    height->setRange(settings::kFontHeightMin, settings::kFontHeightMax);
    height->setSpecialValueText(QStringLiteral("既定"));
    f->custom("文字の高さ(ﾋﾟｸｾﾙ)(&H)", height,
              [height, &font] { height->setValue(font.height < 0 ? -font.height : font.height); },
              [height, &font] {
                  height->interpretText();
                  const int now = height->value();
                  if (now != (font.height < 0 ? -font.height : font.height)) font.height = -now;
              });
    auto* bold = new QCheckBox(QStringLiteral("太字(&B)"), f);
    f->custom(nullptr, bold, [bold, &font] { bold->setChecked(font.weight >= 700); },
              [bold, &font] {
                  if (bold->isChecked() != (font.weight >= 700)) font.weight = bold->isChecked() ? 700 : 400;
              });
}

}  // namespace

OptionForm* makeDisplayPage(shell::OptionsDraft& d, QWidget* parent) {
    using namespace settings;
    auto* f = new OptionForm(parent);
    EditorOptions& o = d.options;
    const auto& table = editorOptionsTable();
    f->group("ﾌｫﾝﾄ");
    addFontControls(f, d.app.font);
    f->check("ﾌﾟﾛﾎﾟｰｼｮﾅﾙﾌｫﾝﾄを使う(&P)", d.app.propFont);
    f->check("英数字だけﾌﾟﾛﾎﾟｰｼｮﾅﾙ(&E)", d.app.propFontEn);
    f->number("文字幅の調整(ﾋﾟｸｾﾙ)(&J)", o.adjChWidth, rangeOf(table, "AdjChWidth"));
    f->choice("行間(&G)", {"なし", "1画素", "2画素", "1/8文字", "1/4文字", "1/2文字"}, o.dispGyoukan);

    f->group("ﾏｰｸ");
    f->choice("行番号(&N)", {"表示しない", "論理行", "表示行"}, o.lineNoDisp);
    f->check("改行ﾏｰｸ(&R)", o.crDisp);
    f->check("[EOF]ﾏｰｸ(&O)", o.eofDisp);
    f->check("ﾀﾌﾞﾏｰｸ(&T)", o.tabDisp);
    f->text("ﾀﾌﾞﾏｰｸの文字(&1)", o.tabDispCode);
    f->check("全角空白ﾏｰｸ(&Z)", o.dspcDisp);
    f->text("全角空白ﾏｰｸの文字(&2)", o.dblSpc);
    f->check("ﾏｰｸに色を付ける(&C)", o.colorSpChar);

    f->group("ﾙｰﾗｰ");
    f->check("ﾙｰﾗｰ(&U)", o.rulaDisp);
    f->number("目盛りの間隔(&I)", o.rulaPitch, rangeOf(table, "RulaPitch"));
    f->choice("ﾙｰﾗｰの形(&S)", {"平面", "立体"}, o.rulaType);

    f->group("ｶｰｿﾙ行");
    f->check("ｶｰｿﾙ行に下線(&L)", o.underLine);
    f->check("ﾌｫｰｶｽがなくても下線を表示(&K)", o.keepUnderLine);

    f->group("余白");
    f->number("左余白(1/4桁)(&3)", o.leftSpace, rangeOf(table, "LeftSpace"));
    f->number("右余白(1/4桁)(&4)", o.rightSpace, rangeOf(table, "RightSpace"));
    f->number("上余白(ﾋﾟｸｾﾙ)(&5)", o.upperSpace, rangeOf(table, "UpperSpace"));

    f->group("ｶｰｿﾙ");
    f->number("ｶｰｿﾙの幅(&W)", o.caretWidth, rangeOf(table, "CaretWidth"));
    f->number("上書き時のｶｰｿﾙの幅(&X)", o.caretWidth2, rangeOf(table, "CaretWidth2"));
    f->check("ｶｰｿﾙを点滅させる(&A)", o.caretBlink);
    f->check("ｶｰｿﾙを文字領域に引き込む(&V)", o.drawInCaret);

    f->group("ｳｨﾝﾄﾞｳ");
    f->check("折り返し桁数を変えたらｳｨﾝﾄﾞｳ幅を合わせる(&M)", o.modifyWinWidth);
    f->check("垂直ｽｸﾛｰﾙﾊﾞｰ(&6)", d.child.scrollBarDisp);
    f->check("水平ｽｸﾛｰﾙﾊﾞｰ(&7)", d.child.scrollBarDisp2);
    f->finish();
    return f;
}

}  // namespace orvex::qt
