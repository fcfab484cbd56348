// The command registry against every dispatch table of the program: each id
// handled by exactly one target of the chain, each handled id known to the
// registry with its text, every id the default tables and menus name known.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "common/commands/CommandRegistry.h"
#include "files/DocumentFileCommands.h"
#include "files/ViewFileCommands.h"
#include "search/SearchFrameCommands.h"
#include "search/ViewSearch.h"
#include "settings/CommandTables.h"
#include "shell/CommandTableDefaults.h"
#include "shell/EditorWindow.h"
#include "shell/KeyMacroCommands.h"
#include "shell/MainFrameCommands.h"
#include "shell/SettingsCommands.h"
#include "text/CLuView.h"

using namespace orvex;

namespace {

// Every table of the routing chain, by the target's name: the view, its
// command families, the document, the window, the main frame, the frame's
// search commands and the application.
std::map<CommandId, std::vector<std::string>> handlers() {
    std::map<CommandId, std::vector<std::string>> out;
    auto collect = [&out](const char* name, const auto& table) {
        for (const auto& e : table.entries())
            for (uint32_t id = e.first; id <= e.last; ++id) out[CommandId(id)].push_back(name);
    };
    collect("CLuView", CLuView::commandTable());
    collect("ViewFileCommands", files::ViewFileCommands::commandTable());
    collect("ViewSearch", search::ViewSearch::commandTable());
    collect("DocumentFileCommands", files::DocumentFileCommands::commandTable());
    collect("EditorWindow", shell::EditorWindow::commandTable());
    collect("MainFrameCommands", shell::MainFrameCommands::commandTable());
    collect("KeyMacroCommands", shell::KeyMacroCommands::commandTable());
    collect("SearchFrameCommands", search::SearchFrameCommands::commandTable());
    collect("ApplicationCommands", shell::ApplicationCommands::commandTable());
    collect("SettingsCommands", shell::SettingsCommands::commandTable());
    return out;
}

TEST(CommandRegistry, NoIdIsHandledByTwoTargetsOfTheChain) {
    const auto all = handlers();
    ASSERT_GT(all.size(), 120u);
    for (const auto& [id, names] : all) {
        std::string joined;
        for (const std::string& n : names) joined += n + " ";
        EXPECT_EQ(names.size(), 1u) << id << " is handled by " << joined;
    }
}

TEST(CommandRegistry, EveryHandledIdIsRegisteredWithItsText) {
    for (const auto& [id, names] : handlers()) {
        const commands::CommandInfo* info = commands::findCommand(id);
        ASSERT_NE(info, nullptr) << id << " (" << names.front() << ") is not in the command list";
        EXPECT_TRUE(commands::isKnownCommand(id)) << id;
        EXPECT_FALSE(commands::menuText(id).empty()) << id << " " << info->name;
    }
}

TEST(CommandRegistry, EntriesAreOrderedNamedOnceAndFlaggedConsistently) {
    std::set<std::string_view> names;
    CommandId previousLast = 0;
    for (const commands::CommandInfo& c : commands::allCommands()) {
        EXPECT_GT(c.first, previousLast) << c.name;
        EXPECT_LE(c.first, c.last) << c.name;
        previousLast = c.last;
        EXPECT_TRUE(names.insert(c.name).second) << c.name << " is named twice";
        EXPECT_EQ(c.name.substr(0, 1), "k") << c.name;
        // "Before the work" only qualifies a gate record.
        if (c.flags & kCmdRecordFirst) EXPECT_TRUE(c.flags & kCmdRecorded) << c.name;
        // The gate either records a command or leaves it to the command.
        EXPECT_FALSE((c.flags & kCmdRecorded) && (c.flags & kCmdRecordsItself)) << c.name;
    }
    // Record codes are ids, but no target may handle them.
    EXPECT_FALSE(commands::isKnownCommand(cmd::kReplacementRecord));
    EXPECT_FALSE(commands::isKnownCommand(cmd::kJumpLineRecord));
    EXPECT_EQ(commands::findCommand(cmd::kJumpLineRecord)->name, "kJumpLineRecord");
}

TEST(CommandRegistry, PromptsCarryTheButtonNameAfterALineFeed) {
    EXPECT_EQ(commands::statusPrompt(cmd::kFileOpen), "既存のﾌｧｲﾙを開く\n開く");
    EXPECT_EQ(commands::menuText(cmd::kFileOpen), "既存のﾌｧｲﾙを開く");
    EXPECT_EQ(commands::menuText(cmd::kKeyMacroRecord6 + 1), "ｷｰﾏｸﾛ記録開始/終了(7)");
    EXPECT_EQ(commands::menuText(cmd::kFrameListItems + 5), "");
    EXPECT_TRUE(commands::isKnownCommand(cmd::kFrameListItems + 5));
}

TEST(CommandRegistry, DefaultTablesNameOnlyKnownIds) {
    for (const settings::KeyAssignment& k : shell::defaultKeyTable())
        EXPECT_NE(commands::findCommand(k.command), nullptr) << k.command;
    for (const auto ids : {shell::defaultContextMenu(), shell::defaultToolbar1()})
        for (const uint32_t id : ids)
            if (id != shell::kSeparatorId) EXPECT_NE(commands::findCommand(CommandId(id)), nullptr) << id;
}

}  // namespace
