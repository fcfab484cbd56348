// Conversions and formatting in the running window: a formatting preset
// run from the menu bar and undone in one step, the conversion menu, and
// the formatting sheet answered through its widgets.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "qt/dialogs/CSeikeiSh.h"
#include "qt/dialogs/SeikeiPage.h"
#include "tests/qt/QtTestSupport.h"
#include "transform/FormatPresets.h"

namespace orvex::qt::test {
namespace {

class TransformWindowTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override {
        s.editor.presets[0].seikei = 10;
        s.editor.presets[size_t(transform::formatPresets()[0])].seikeiTT = cp932::fromUtf8("段落");
    }
    void trigger(int id) {
        QAction* a = findAction(frame->menuBar()->actions(), id);
        ASSERT_NE(a, nullptr) << id;
        ASSERT_TRUE(a->isEnabled()) << id;
        a->trigger();
        settle();
    }
};

TEST_F(TransformWindowTest, APresetRunFromTheMenuIsUndoneInOneStep) {
    newChild();
    load("あいうえおかきくけこさしすせそ\r\nshort");
    // Numbered labels: the family name and number without a title, the
    // title with its access key with one.
    EXPECT_EQ(findAction(frame->menuBar()->actions(), 32974)->text().section(QLatin1Char('\t'), 0, 0),
              QStringLiteral("整形2(&2)"));
    EXPECT_EQ(findAction(frame->menuBar()->actions(), 32918)->text().section(QLatin1Char('\t'), 0, 0),
              QStringLiteral("段落(&1)"));
    trigger(32918);
    EXPECT_EQ(text(), "あいうえお\r\nかきくけこ\r\nさしすせそ\r\nshort");
    EXPECT_TRUE(doc().isModified());
    trigger(57643);  // undo
    EXPECT_EQ(text(), "あいうえおかきくけこさしすせそ\r\nshort");
    EXPECT_FALSE(doc().isModified());
}

TEST_F(TransformWindowTest, TheConversionMenuConvertsTheSelection) {
    newChild();
    load("ｶﾞｷﾞ abc");
    view().selectRange(0, 4);
    settle();
    trigger(32888);  // 全角文字に変換
    EXPECT_EQ(text(), "ガギ abc");
    trigger(57643);
    EXPECT_EQ(text(), "ｶﾞｷﾞ abc");
}

TEST_F(TransformWindowTest, TheSheetStoresItsPagesAndRunsTheShownPreset) {
    newChild();
    load("abcdefgh");
    ModalScript script;
    script.then([](QWidget& w) {
        auto& sheet = dynamic_cast<CSeikeiSh&>(w);
        sheet.tabs()->setCurrentIndex(2);
        sheet.page(2)->widthBox()->setValue(4);
        sheet.findChild<QPushButton*>(QStringLiteral("run"))->click();
    });
    trigger(32872);
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_EQ(ctx->settings().editor.presets[2].seikei, 4);
    EXPECT_EQ(text(), "abcd\r\nefgh");
    trigger(57643);
    EXPECT_EQ(text(), "abcdefgh");
}

}  // namespace
}  // namespace orvex::qt::test

namespace orvex::qt::test {
namespace {

class ClipboardFormatWindowTest : public EditorWindowTest {
protected:
    void configure(settings::Settings& s) override { s.editor.presets[0].seikei = 10; }
};

TEST_F(ClipboardFormatWindowTest, ClipboardFormattingLeavesNoWindowBehind) {
    CChildFrame* first = newChild();
    QGuiApplication::clipboard()->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    settle();
    const size_t before = frame->childFrames().size();
    EXPECT_TRUE(frame->runCommand(cmd::kClipboardFormat));
    settle();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abcdefghij\nklmnopqrst\nuvwxyz"));
    EXPECT_EQ(frame->childFrames().size(), before);
    EXPECT_EQ(frame->activeChild(), first);
}

}  // namespace
}  // namespace orvex::qt::test
