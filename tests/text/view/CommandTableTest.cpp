// The view's command table and the command texts: no id twice, every id
// with its text, the view's own commands all handled, later subsystems'
// commands known but offered to their own targets.
#include <gtest/gtest.h>

#include <set>

#include "common/commands/CommandRegistry.h"
#include "tests/text/view/ViewHarness.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// Every command the view handles itself.
const std::vector<CommandId>& viewCommands() {
    static const std::vector<CommandId> ids = {
        32777, 32778, 32779, 32781, 32782, 32783, 32784, 32785, 32798, 32799, 32803, 32804, 32805, 32806,
        32807, 32808, 32809, 32810, 32811, 32812, 32813, 32814, 32815, 32816, 32817, 32818, 32819, 32820,
        32821, 32822, 32823, 32824, 32825, 32826, 32827, 32828, 32829, 32830, 32831, 32833, 32834, 32835,
        32836, 32837, 32838, 32840, 32841, 32842, 32843, 32878, 32884, 32885, 32886, 32889, 32899, 32900,
        32913, 32915, 32916, 32920, 32945, 32946, 32967, 32984, 32985, 32986, 32987, 32988, 32989, 32994,
        33006, 33040, 33041, 33042, 33043, 33044, 33045, 33071, 33072, 33074, 33075, 33076, 33077, 33111,
        57633, 57634, 57635, 57637, 57642, 57643, 57644};
    return ids;
}

TEST(CommandTexts, NoIdTwiceAndSortedById) {
    const auto texts = commands::allCommands();
    ASSERT_FALSE(texts.empty());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_LE(texts[i].first, texts[i].last);
        if (i > 0) {
            EXPECT_GT(texts[i].first, texts[i - 1].last) << texts[i].first;
        }
    }
}

TEST(CommandTexts, QuotedTextsAndNumberedFamilies) {
    EXPECT_EQ(commands::menuText(32777), "指定した行にｼﾞｬﾝﾌﾟ");
    EXPECT_EQ(commands::menuText(57643), "直前に行った動作を元に戻す(ｱﾝﾄﾞｩ)");
    EXPECT_EQ(commands::menuText(32828), "ﾍﾟｰｼﾞｽｸﾛｰﾙｱｯﾌﾟﾞ");
    EXPECT_EQ(commands::menuText(32926), "ﾏｸﾛの実行(1)");
    EXPECT_EQ(commands::menuText(32930), "ﾏｸﾛの実行(5)");
    EXPECT_EQ(commands::menuText(33025), "ﾏｸﾛの実行(6)");
    EXPECT_EQ(commands::menuText(33067), "定型文字列の挿入(20)");
    EXPECT_EQ(commands::menuText(33092), "ｷｰﾏｸﾛ記録開始/終了(20)");
    EXPECT_EQ(commands::menuText(33114), "整形貼り付け(4)");
    EXPECT_EQ(commands::statusPrompt(33042), "選択開始/終了");
    // Known without a menu text, and unknown.
    EXPECT_TRUE(commands::isKnownCommand(33300));
    EXPECT_EQ(commands::menuText(33300), "");
    EXPECT_FALSE(commands::isKnownCommand(32775));
    EXPECT_FALSE(commands::isKnownCommand(33073));
    EXPECT_EQ(commands::menuText(32775), "");
}

TEST(ViewCommandTable, NoIdIsRegisteredTwice) { EXPECT_TRUE(CLuView::commandTable().overlaps().empty()); }

TEST(ViewCommandTable, EveryIdHasItsText) {
    for (const auto& e : CLuView::commandTable().entries())
        for (uint32_t id = e.first; id <= e.last; ++id)
            EXPECT_FALSE(commands::menuText(CommandId(id)).empty()) << id;
}

TEST(ViewCommandTable, HandlesExactlyItsOwnCommands) {
    std::set<CommandId> handled;
    for (const auto& e : CLuView::commandTable().entries())
        for (uint32_t id = e.first; id <= e.last; ++id) handled.insert(CommandId(id));
    EXPECT_EQ(handled, std::set<CommandId>(viewCommands().begin(), viewCommands().end()));
}

TEST(ViewCommandTable, EveryCommandRunsOnAnEmptyAndAFullDocument) {
    // No command may fail on the edges of a document, whatever its state.
    for (const char* text : {"|", "ab\r\nc|d\r\n漢字\r\n", "[abc\r\ndef]"}) {
        for (CommandId id : viewCommands()) {
            ViewHarness h(text);
            h.host.lineNumbers.push_back(2);
            h.host.codes.push_back(65);
            h.fake.clipboard.externalChange("clip");
            EXPECT_TRUE(h.view->onCommand(id)) << id;
            CommandState s;
            EXPECT_TRUE(h.view->onUpdateCommand(id, s)) << id;
            const TextStore& t = h.doc.text();
            EXPECT_GE(h.cursor().row, 0);
            EXPECT_LT(h.cursor().row, t.availableRowCount()) << id;
        }
    }
}

TEST(ViewCommandTable, LaterCommandsAreKnownButNotTheViews) {
    ViewHarness h("abc");
    EXPECT_TRUE(commands::isKnownCommand(32773));
    EXPECT_FALSE(h.view->onCommand(32773));
    CommandState s;
    EXPECT_FALSE(h.view->onUpdateCommand(32773, s));
}

// A later subsystem's target: one line in its own table.
class FindCommands : public CommandTarget {
public:
    explicit FindCommands(CLuView& v) : view(v) {}
    void findNext(CommandId) { view.selectRange(1, 2); }
    static const CommandTable<FindCommands>& table() {
        static const CommandTable<FindCommands> t{{32773, 32773, &FindCommands::findNext, nullptr}};
        return t;
    }
    bool onCommand(CommandId id) override { return table().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& s) override { return table().update(*this, id, s); }
    CLuView& view;
};

TEST(ViewCommandTable, ExtensionsAreOfferedWhatTheViewDoesNotHandle) {
    ViewHarness h("abc");
    FindCommands find(*h.view);
    h.view->addCommandExtension(&find);
    EXPECT_TRUE(h.view->onCommand(32773));
    EXPECT_EQ(h.marked(), "a[b|]c");
    EXPECT_TRUE(h.view->onCommand(32773));
    h.view->removeCommandExtension(&find);
    EXPECT_FALSE(h.view->onCommand(32773));
}

TEST(ViewCommandTable, TextCommandsAreGreyedAndIgnoredOnReadOnlyDocuments) {
    ViewHarness h("ab|c");
    h.doc.setReadOnly(true);
    h.doc.setEditSettings(EditSettings{false, true, true});
    h.fake.clipboard.externalChange("x");
    for (CommandId id : {cmd::kPaste, cmd::kDeleteLine, cmd::kEnter, cmd::kClearAll, cmd::kUndo}) {
        CommandState s;
        h.view->onUpdateCommand(id, s);
        EXPECT_FALSE(s.enabled) << id;
        h.view->onCommand(id);
    }
    EXPECT_EQ(h.text(), "abc");
    // Moves still work.
    h.run({command(cmd::kFileTop)});
    EXPECT_EQ(h.marked(), "|abc");
}

TEST(ViewCommandTable, UndoAndRedoAreEnabledByTheHistory) {
    ViewHarness h("|");
    CommandState s;
    h.view->onUpdateCommand(cmd::kUndo, s);
    EXPECT_FALSE(s.enabled);
    h.run({chars("a")});
    h.view->onUpdateCommand(cmd::kUndo, s);
    EXPECT_TRUE(s.enabled);
    h.view->onUpdateCommand(cmd::kRedo, s);
    EXPECT_FALSE(s.enabled);
    h.run({command(cmd::kUndo)});
    h.view->onUpdateCommand(cmd::kRedo, s);
    EXPECT_TRUE(s.enabled);
}

TEST(ViewCommandTable, UndoAndLineInsertsAreRecordedBeforeTheirWork) {
    ViewHarness h("|");
    h.macro.slot = 1;
    h.run({command(cmd::kEnter), command(cmd::kTab), command(cmd::kUndo), command(cmd::kRedo)});
    EXPECT_EQ(h.macro.words, (std::vector<uint32_t>{cmd::kEnter, cmd::kTab, cmd::kUndo, cmd::kRedo}));
}

}  // namespace
