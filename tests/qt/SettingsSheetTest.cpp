// The options sheet offscreen: one value changed on every page reaches the
// settings, the settings file and the open views (a new background colour
// in the painted pixels); "適用" applies without closing; number fields
// refuse text and values out of range; export then import into a fresh
// settings folder gives the same profile; the keyboard walks every page.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTabBar>
#include <QTableWidget>

#include "qt/settings/CSheet.h"
#include "qt/settings/OptionForm.h"
#include "shell/OptionsDraft.h"
#include "tests/qt/QtTestSupport.h"

namespace orvex::qt::test {
namespace {

// Stored colours are 0x00BBGGRR.
constexpr int bgr(int r, int g, int b) { return r | g << 8 | b << 16; }

// The control whose label reads `label` (its buddy), or the check box of
// that text; the first one in the page's order.
template <class W>
W* control(QWidget* page, const char* label) {
    const QString text = QString::fromUtf8(label);
    for (QLabel* l : page->findChildren<QLabel*>())
        if (l->text() == text)
            if (auto* w = qobject_cast<W*>(l->buddy())) return w;
    for (W* w : page->findChildren<W*>())
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text() == text) return w;
    return nullptr;
}

QPushButton* button(QWidget* sheet, const char* text) {
    for (QPushButton* b : sheet->findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(text)) return b;
    return nullptr;
}

class SettingsSheetTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override {
        s.colours.textColor = bgr(0, 0, 0);
        s.colours.windowColor = bgr(255, 255, 255);
        s.editor.options.rulaDisp = 0;
        s.editor.options.lineNoDisp = 0;
    }

    QImage render() { return renderPane(pane()); }

    // Runs the sheet command with `edit` acting on the shown sheet; edit
    // closes it.
    void withSheet(std::function<void(CSheet&)> edit) {
        ModalScript script;
        script.then([edit](QWidget& w) {
            auto* sheet = qobject_cast<CSheet*>(&w);
            ASSERT_NE(sheet, nullptr);
            edit(*sheet);
            // A failed assertion inside edit leaves the sheet open: close it.
            if (sheet->isVisible()) sheet->reject();
        });
        frame->runCommand(cmd::kOptionsSheet);
        settle();
        EXPECT_EQ(script.pending(), 0u);
    }

    static OptionForm* pageNamed(CSheet& s, const char* title) {
        for (int i = 0; i < s.tabs()->count(); ++i)
            if (s.tabs()->tabText(i) == QString::fromUtf8(title)) {
                s.tabs()->setCurrentIndex(i);
                return s.page(i);
            }
        ADD_FAILURE() << title;
        return nullptr;
    }
    // The form a page shows in its stack (the chosen mode or layout).
    static QWidget* shown(OptionForm* page) { return page->findChild<QStackedWidget*>()->currentWidget(); }
    static void tick(OptionForm* page, const char* label) {
        auto* box = control<QCheckBox>(page, label);
        ASSERT_NE(box, nullptr) << label;
        box->setChecked(!box->isChecked());
    }
};

TEST_F(SettingsSheetTest, OneChangeOnEveryPageReachesSettingsFileAndPixels) {
    newChild();
    load("abc");
    const QImage before = render();
    const QPoint empty(before.width() - 5, before.height() - 5);
    EXPECT_EQ(before.pixelColor(empty), QColor(255, 255, 255));

    withSheet(
        [](CSheet& s) {
            EXPECT_EQ(s.tabs()->count(), 12);
            tick(pageNamed(s, "ﾌｧｲﾙ"), "行末の空白を削除(&D)");
            tick(pageNamed(s, "表示"), "ﾀﾌﾞﾏｰｸ(&T)");
            {
                OptionForm* p = pageNamed(s, "色");
                control<QComboBox>(p, "色を付ける項目(&I)")->setCurrentIndex(1);  // the background
                // The colour dialog is answered from its own loop.
                QTimer::singleShot(0, [] {
                    auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                    ASSERT_NE(d, nullptr);
                    d->setCurrentColor(QColor(10, 120, 200));
                    d->accept();
                });
                button(p, "色の選択(&C)...")->click();
            }
            control<QSpinBox>(shown(pageNamed(s, "ﾌｧｲﾙﾀｲﾌﾟ別")), "折り返し桁数(&N)")->setValue(40);
            pageNamed(s, "ｷｰﾜｰﾄﾞ")->findChild<QTableWidget*>()->item(0, 0)->setText(QStringLiteral("zzz"));
            control<QSpinBox>(pageNamed(s, "禁則"), "ぶら下げる桁数(&H)")->setValue(3);
            tick(pageNamed(s, "編集"), "加速ｽｸﾛｰﾙ(&A)");
            tick(pageNamed(s, "検索"), "ｻﾌﾞﾌｫﾙﾀﾞも検索(&D)");
            tick(pageNamed(s, "起動"), "前回開いていたﾌｧｲﾙを開く(&A)");
            control<QSpinBox>(pageNamed(s, "ｳｨﾝﾄﾞｳ"), "桁数(&X)")->setValue(100);
            control<QLineEdit>(shown(pageNamed(s, "ｽﾃｰﾀｽﾊﾞｰ")), "ﾍﾟｲﾝ2(&2)")->setText(QStringLiteral("%3"));
            control<QLineEdit>(pageNamed(s, "URL"), "ﾌﾞﾗｳｻﾞ(&B)")->setText(QStringLiteral("/usr/bin/true"));
            button(&s, "OK")->click();
        });

    const settings::Settings& s = ctx->settings();
    EXPECT_EQ(s.document.saveDelSpc, 1);
    EXPECT_EQ(s.editor.options.tabDisp, 1);
    EXPECT_EQ(s.colours.windowColor, bgr(10, 120, 200));
    EXPECT_EQ(s.editor.mode(0).lineMax, 40);
    EXPECT_EQ(utf8(s.editor.keywords.word(0)), "zzz");
    EXPECT_EQ(s.editor.options.kinsokuWrap, 3);
    EXPECT_EQ(s.editor.options.keySpdUp, 1);
    EXPECT_EQ(s.editor.search.findSubDir, 1);
    EXPECT_EQ(s.app.autoLoad, 1);
    EXPECT_EQ(s.child.sizeDefCharX, 100);
    EXPECT_EQ(s.frame.stsBar[1], "%3");
    EXPECT_EQ(s.frame.httpPath, "/usr/bin/true");

    const std::string file = readFile(dir.filePath(QStringLiteral("settings.ini")).toStdString());
    for (const char* line : {"SaveDelSpc=1", "TabDisp=1", "LineMax=40", "KinsokuWrap=3", "KeySpdUp=1",
                             "FindSubDir=1", "AutoLoad=1", "SizeDefCharX=100", "Keyword1=\"zzz\"",
                             "StsBar2=\"%3\"", "HttpPath=\"/usr/bin/true\""})
        EXPECT_NE(file.find(line), std::string::npos) << line;
    EXPECT_NE(file.find("WindowColor=" + std::to_string(bgr(10, 120, 200))), std::string::npos);

    // The open view paints with the new background at once.
    EXPECT_EQ(render().pixelColor(empty), QColor(10, 120, 200));
    EXPECT_EQ(doc().text().wrapWidth(), 40);
}

TEST_F(SettingsSheetTest, ApplyTakesEffectWhileTheSheetStaysOpenAndCancelKeepsIt) {
    newChild();
    withSheet([this](CSheet& s) {
        control<QSpinBox>(shown(pageNamed(s, "ﾌｧｲﾙﾀｲﾌﾟ別")), "折り返し桁数(&N)")->setValue(50);
        s.applyButton()->click();
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(ctx->settings().editor.mode(0).lineMax, 50);
        EXPECT_EQ(doc().text().wrapWidth(), 50);
        control<QSpinBox>(shown(pageNamed(s, "ﾌｧｲﾙﾀｲﾌﾟ別")), "折り返し桁数(&N)")->setValue(60);
        button(&s, "ｷｬﾝｾﾙ")->click();
    });
    EXPECT_EQ(ctx->settings().editor.mode(0).lineMax, 50);
}

TEST_F(SettingsSheetTest, NumberFieldsRefuseTextAndValuesOutOfRange) {
    withSheet([](CSheet& s) {
        QWidget* p = shown(pageNamed(s, "ﾌｧｲﾙﾀｲﾌﾟ別"));
        QSpinBox* width = control<QSpinBox>(p, "折り返し桁数(&N)");
        QSpinBox* tab = control<QSpinBox>(p, "ﾀﾌﾞ幅(&T)");
        ASSERT_TRUE(width && tab);
        // The ranges come from the key table: LineMax 10..2000, TabStops 4..64 quarter columns.
        EXPECT_EQ(width->minimum(), 10);
        EXPECT_EQ(width->maximum(), 2000);
        EXPECT_EQ(tab->minimum(), 1);
        EXPECT_EQ(tab->maximum(), 16);
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("abc"));
        EXPECT_FALSE(width->text().contains(QStringLiteral("abc")));
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("99999"));
        width->interpretText();
        EXPECT_LE(width->value(), 2000);
        tab->setFocus();
        tab->selectAll();
        QTest::keyClicks(tab, QStringLiteral("99"));
        tab->interpretText();
        EXPECT_LE(tab->value(), 16);
        button(&s, "OK")->click();
    });
    const settings::ModeOptions& m = ctx->settings().editor.mode(0);
    EXPECT_GE(m.lineMax, 10);
    EXPECT_LE(m.lineMax, 2000);
    EXPECT_GE(m.tabStops, 4);
    EXPECT_LE(m.tabStops, 64);
    EXPECT_EQ(m.tabStops % 4, 0);
    const std::string file = readFile(dir.filePath(QStringLiteral("settings.ini")).toStdString());
    EXPECT_EQ(file.find("LineMax=99999"), std::string::npos);
    EXPECT_EQ(file.find("LineMax=0"), std::string::npos);
}

TEST_F(SettingsSheetTest, ExportThenImportIntoAFreshFolderGivesTheSameProfile) {
    withSheet([](CSheet& s) {
        OptionForm* modes = pageNamed(s, "ﾌｧｲﾙﾀｲﾌﾟ別");
        control<QComboBox>(modes, "ﾓｰﾄﾞ(&O)")->setCurrentIndex(1);
        QLineEdit* ext = control<QLineEdit>(shown(modes), "拡張子(&E)");
        ASSERT_NE(ext, nullptr);
        EXPECT_TRUE(ext->isEnabled());
        ext->setText(QStringLiteral("*.c;*.h"));
        control<QLineEdit>(pageNamed(s, "禁則"), "行頭禁則文字(&S)")->setText(QStringLiteral("、。\\\"\t"));
        tick(pageNamed(s, "URL"), "URLに漢字を許可(&K)");
        button(&s, "OK")->click();
    });
    EXPECT_EQ(ctx->settings().editor.mode(1).extSel, "*.c;*.h");

    const std::string ini = path("exported.ini");
    FileDialogResult r;
    r.paths = {ini};
    dialogs.answer(r);
    ASSERT_TRUE(frame->runCommand(cmd::kSettingsExport));

    QTemporaryDir other;
    settings::SettingsEnvironment env;
    env.settingsFile = other.filePath(QStringLiteral("settings.ini")).toStdString();
    env.dataFolder = other.filePath(QStringLiteral("data")).toStdString();
    env.tempFolder = other.path().toStdString();
    env.homeFolder = other.path().toStdString();
    EditorContext fresh(env, false);
    orvex::test::FakeFileDialogs freshDialogs;
    fresh.platform().fileDialogs = &freshDialogs;
    freshDialogs.answer(r);
    ASSERT_TRUE(fresh.session().router().run(cmd::kSettingsImport));
    EXPECT_EQ(shell::captureOptions(fresh.settings()), shell::captureOptions(ctx->settings()));
    EXPECT_EQ(utf8(fresh.settings().editor.options.kinsokuStr1), "、。\\\"\t");
}

TEST_F(SettingsSheetTest, KeyboardWalkReachesEveryControlOfEveryPage) {
    withSheet([](CSheet& s) {
        s.activateWindow();
        QApplication::setActiveWindow(&s);
        // A line edit inside a combo or spin box stands for its owner.
        auto owner = [](QWidget* w) -> QWidget* {
            if (w && qobject_cast<QLineEdit*>(w) &&
                (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
                return w->parentWidget();
            return w;
        };
        for (int i = 0; i < s.tabs()->count(); ++i) {
            s.tabs()->setCurrentIndex(i);
            OptionForm* page = s.page(i);
            QSet<QWidget*> wanted;
            for (QWidget* w : page->findChildren<QWidget*>())
                if (w->isVisibleTo(page) && w->isEnabled() && owner(w) == w &&
                    (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                     qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                     qobject_cast<QTableWidget*>(w)))
                    wanted.insert(w);
            EXPECT_FALSE(wanted.isEmpty());
            // Tab from the page's tab, through the page and the buttons, back to the tabs.
            QWidget* start = s.tabs()->tabBar();
            start->setFocus(Qt::TabFocusReason);
            EXPECT_EQ(QApplication::focusWidget(), start) << "no keyboard focus";
            if (QApplication::focusWidget() != start) break;
            QSet<QWidget*> seen;
            for (int n = 0; n < 1000; ++n) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* now = owner(QApplication::focusWidget());
                if (!now || now == start) break;
                seen.insert(now);
            }
            for (QWidget* w : wanted)
                EXPECT_TRUE(seen.contains(w)) << s.tabs()->tabText(i).toStdString() << ": "
                                              << w->metaObject()->className();
        }
        // The quoted access letters are there.
        for (const char* text : {"新しいｳｨﾝﾄﾞｳで起動(&N)", "ﾀﾞﾌﾞﾙｸﾘｯｸで起動(&W)", "URLに漢字を許可(&K)",
                                 "ｶｰｿﾙを文字領域に引き込む(&V)", "加速ｽｸﾛｰﾙ(&A)",
                                 "ｽｸﾛｰﾙ前にｶｰｿﾙをｳｨﾝﾄﾞｳ中央に移動(&C)", "字下げ挿入モード(&D)",
                                 "罫線に半角文字を使用(&L)"}) {
            bool found = false;
            for (QAbstractButton* b : s.findChildren<QAbstractButton*>()) found = found || b->text() == QString::fromUtf8(text);
            EXPECT_TRUE(found) << text;
        }
        s.reject();
    });
}

TEST_F(SettingsSheetTest, UrlCommandShowsTheUrlPageAlone) {
    ModalScript script;
    script.then([](QWidget& w) {
        auto* sheet = qobject_cast<CSheet*>(&w);
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("URLｼﾞｬﾝﾌﾟの設定"));
        ASSERT_EQ(sheet->tabs()->count(), 1);
        auto* kanji = control<QCheckBox>(sheet->page(0), "URLに漢字を許可(&K)");
        ASSERT_NE(kanji, nullptr);
        EXPECT_TRUE(kanji->isChecked());
        kanji->setChecked(false);
        button(sheet, "OK")->click();
    });
    script.then([](QWidget& w) { static_cast<QDialog&>(w).reject(); });  // only if the first step failed
    frame->runCommand(cmd::kUrlJumpSettings);
    settle();
    EXPECT_EQ(ctx->settings().frame.urlKanji, 0);
}

}  // namespace
}  // namespace orvex::qt::test
