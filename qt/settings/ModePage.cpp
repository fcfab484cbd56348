// The file-type mode page: a mode chosen from a list and that mode's
// options: its extensions, tabs, wrapping, line breaking, cursor,
// indentation, comment syntax, keyword groups and line-start classes.
#include <QComboBox>
#include <QLineEdit>
#include <QStackedWidget>

#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

namespace {

OptionForm* modeForm(settings::ModeOptions& m, int mode, QWidget* parent) {
    using namespace settings;
    const auto& table = modeOptionsTable();
    auto* f = new OptionForm(parent);
    f->group("ﾌｧｲﾙﾀｲﾌﾟ");
    // Mode 0 takes every file that no other list holds; its list is kept but never matched.
    auto* ext = f->text("拡張子(&E)", m.extSel);
    if (mode == 0) ext->setEnabled(false);
    f->group("ﾀﾌﾞと折り返し");
    // TabStops is kept in quarter columns; the page shows whole columns.
    f->scaledNumber("ﾀﾌﾞ幅(&T)", m.tabStops, rangeOf(table, "TabStops"), 4);
    f->choice("Tabｷｰ(&B)", {"ﾀﾌﾞを入力", "空白を入力"}, m.tabCode);
    f->check("ﾌﾘｰｶｰｿﾙの空白をﾀﾌﾞで埋める(&F)", m.freeTab);
    f->number("折り返し桁数(&N)", m.lineMax, rangeOf(table, "LineMax"));
    f->check("ｳｨﾝﾄﾞｳ幅で折り返す(&W)", m.adjCol);
    f->check("入力中に自動改行(&R)", m.wrapCr);
    f->number("自動改行の桁(&G)", m.wrapNum, rangeOf(table, "WrapNum"));
    f->check("禁則処理(&K)", m.kinsoku);
    f->check("ﾜｰﾄﾞﾗｯﾌﾟ(&P)", m.wordWrap);
    f->group("ｶｰｿﾙと入力");
    f->check("ﾌﾘｰｶｰｿﾙ(&U)", m.freeCurs);
    f->check("行頭で←を押すと前の行へ(&H)", m.freeCursHome);
    f->check("ﾃｷｽﾄの終わりで止める(&S)", m.stopEof);
    f->check("自動ｲﾝﾃﾞﾝﾄ(&I)", m.autoIndent);
    f->check("全角空白もｲﾝﾃﾞﾝﾄ(&Z)", m.autoIndentF);
    f->group("ｺﾒﾝﾄとｷｰﾜｰﾄﾞ");
    f->choice("ｺﾒﾝﾄ(&C)",
              {"なし", "C/C++ (// /* */)", "' (行末まで)", "; (行末まで)", "<ﾀｸﾞ>", "# (行末まで)",
               "// と { }", "-- と /* */", "任意の文字列 (行末まで)"},
              m.cmntSel);
    f->text("任意のｺﾒﾝﾄ開始文字列(&M)", m.usrCmnt);
    static const char* const kGroups[] = {"ｷｰﾜｰﾄﾞ1(&1)", "ｷｰﾜｰﾄﾞ2(&2)", "ｷｰﾜｰﾄﾞ3(&3)", "ｷｰﾜｰﾄﾞ4(&4)",
                                          "ｷｰﾜｰﾄﾞ5(&5)", "ｷｰﾜｰﾄﾞ6(&6)", "ｷｰﾜｰﾄﾞ7(&7)", "ｷｰﾜｰﾄﾞ8(&8)"};
    for (size_t g = 0; g < m.keywdSel.size(); ++g) f->check(kGroups[g], m.keywdSel[g]);
    static const char* const kClasses[] = {"行頭文字列1(&Q)", "行頭文字列2(&X)", "行頭文字列3(&Y)",
                                           "行頭文字列4(&V)"};
    for (size_t c = 0; c < m.ttwdSel.size(); ++c) f->check(kClasses[c], m.ttwdSel[c]);
    f->finish();
    return f;
}

}  // namespace

OptionForm* makeModePage(shell::OptionsDraft& d, QWidget* parent) {
    auto* f = new OptionForm(parent);
    auto* modes = new QComboBox(f);
    auto* stack = new QStackedWidget(f);
    std::vector<OptionForm*> forms;
    for (int m = 0; m < settings::kModeCount; ++m) {
        modes->addItem(m == 0 ? QStringLiteral("ﾓｰﾄﾞ1 (その他のﾌｧｲﾙ)") : QStringLiteral("ﾓｰﾄﾞ%1").arg(m + 1));
        forms.push_back(modeForm(d.modes[size_t(m)], m, stack));
        stack->addWidget(forms.back());
    }
    QObject::connect(modes, &QComboBox::currentIndexChanged, stack, &QStackedWidget::setCurrentIndex);
    f->custom("ﾓｰﾄﾞ(&O)", modes, [] {}, [] {});
    f->forms(stack, forms);
    f->finish();
    return f;
}

}  // namespace orvex::qt
