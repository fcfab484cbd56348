// The binding of the macro library (loading, missing library or entry
// points, stop before any run) and the frame's macro commands (enabled by
// the slot's path, the run's arguments, recording into a key macro, the
// settings sheet).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/commands/CommandIds.h"
#include "keymacro/KeyMacroSlots.h"
#include "shell/EditorWindow.h"
#include "shell/InstanceControl.h"
#include "shell/MacroCommands.h"
#include "shell/MacroLibraryBinding.h"
#include "tests/shell/SessionFixture.h"
#include "tests/support/FakeFrameHost.h"
#include "text/CLuDoc.h"

namespace orvex::shell {
namespace {

// What the fake entry points were called with.
struct Call {
    std::string entry;
    void* main = nullptr;
    void* view = nullptr;
    std::string path;
};
std::vector<Call> g_calls;

int fakeRun(void* main, void* view, const char* path) {
    g_calls.push_back({"run", main, view, path});
    return 0;
}
int fakeDebug(void* main, void* view, const char* path) {
    g_calls.push_back({"debug", main, view, path});
    return 0;
}
int fakeStop() {
    g_calls.push_back({"stop", nullptr, nullptr, {}});
    return 0;
}

class BindingTest : public ::testing::Test {
protected:
    BindingTest() { g_calls.clear(); }
    std::unique_ptr<MacroLibraryBinding> counted(std::optional<MacroEntries> entries) {
        return std::make_unique<MacroLibraryBinding>(platform, [this, entries] {
            ++loads;
            return entries;
        });
    }
    orvex::test::FakePlatform fakes;
    Platform platform = fakes.platform();
    int loads = 0;
};

TEST_F(BindingTest, MissingLibraryIsReportedEachTimeAndNothingRuns) {
    MacroLibraryBinding binding(platform, "liborxmac-not-installed-here.so");
    auto* view = reinterpret_cast<win::Handle>(0x40);
    EXPECT_FALSE(binding.run("/tmp/a.mac", nullptr, view));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "ORXMAC.DLLがありません");
    EXPECT_EQ(fakes.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(binding.loaded());
    EXPECT_FALSE(binding.debug("/tmp/a.mac", nullptr, view));
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    // A stop never loads, so it never reports.
    EXPECT_FALSE(binding.stop());
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
}

TEST_F(BindingTest, StopBeforeAnyRunLoadsNothing) {
    auto binding = counted(MacroEntries{fakeRun, fakeDebug, nullptr, fakeStop});
    EXPECT_FALSE(binding->stop());
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(g_calls.empty());
    // An empty path does nothing either and loads nothing.
    EXPECT_FALSE(binding->run("", nullptr, nullptr));
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(BindingTest, LoadsOnceAndPassesHandlesAndPath) {
    auto binding = counted(MacroEntries{fakeRun, fakeDebug, nullptr, fakeStop});
    auto* main = reinterpret_cast<win::Handle>(0x10);
    auto* view = reinterpret_cast<win::Handle>(0x20);
    EXPECT_TRUE(binding->run("/m/one.mac", main, view));
    EXPECT_TRUE(binding->debug("/m/two.mac", main, view));
    EXPECT_TRUE(binding->stop());
    EXPECT_EQ(loads, 1);
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_EQ(g_calls[0].entry, "run");
    EXPECT_EQ(g_calls[0].main, static_cast<void*>(main));
    EXPECT_EQ(g_calls[0].view, static_cast<void*>(view));
    EXPECT_EQ(g_calls[0].path, "/m/one.mac");
    EXPECT_EQ(g_calls[1].entry, "debug");
    EXPECT_EQ(g_calls[1].path, "/m/two.mac");
    EXPECT_EQ(g_calls[2].entry, "stop");
}

TEST_F(BindingTest, MissingEntryPointsDoNothing) {
    auto binding = counted(MacroEntries{});
    EXPECT_FALSE(binding->run("/m/x.mac", nullptr, nullptr));
    EXPECT_FALSE(binding->debug("/m/x.mac", nullptr, nullptr));
    EXPECT_FALSE(binding->stop());
    EXPECT_TRUE(binding->loaded());
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

int fakeBatch(void*, void*, const char* path) {
    g_calls.push_back({"batch", nullptr, nullptr, path});
    return std::string(path) == "/m/fails.mac" ? 7 : 0;
}

TEST_F(BindingTest, BatchAnswersTheMacrosStatusAndOneWhenItCannotRun) {
    auto binding = counted(MacroEntries{fakeRun, fakeDebug, nullptr, fakeStop, fakeBatch});
    EXPECT_EQ(binding->runBatch("/m/ok.mac", nullptr, nullptr), 0);
    // Any failure of the library's own is status 1.
    EXPECT_EQ(binding->runBatch("/m/fails.mac", nullptr, nullptr), 1);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].path, "/m/fails.mac");
    // A library without the batch entry runs nothing and fails.
    auto old = counted(MacroEntries{fakeRun, fakeDebug, nullptr, fakeStop});
    EXPECT_EQ(old->runBatch("/m/ok.mac", nullptr, nullptr), 1);
    EXPECT_EQ(g_calls.size(), 2u);
    // A missing library is reported and fails.
    MacroLibraryBinding missing(platform, "liborxmac-not-installed-here.so");
    EXPECT_EQ(missing.runBatch("/m/ok.mac", nullptr, nullptr), 1);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "ORXMAC.DLLがありません");
}

TEST_F(BindingTest, ARealLibraryWithoutTheEntryPointsDoesNothing) {
    // The C library's mathematics: it loads, and exports none of ours.
    MacroLibraryBinding binding(platform, "libm.so.6");
    EXPECT_FALSE(binding.run("/m/x.mac", nullptr, nullptr));
    EXPECT_TRUE(binding.loaded());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(BindingTest, TheLibraryIsFoundByNameAndItsEntryPointsBound) {
    MacroLibraryBinding binding(platform, "liborxmac-fake.so");
    EXPECT_FALSE(binding.stop());  // not loaded yet
    auto* main = reinterpret_cast<win::Handle>(0x100);
    auto* view = reinterpret_cast<win::Handle>(0x200);
    ASSERT_TRUE(binding.run("/m/run.mac", main, view));
    ASSERT_TRUE(binding.loaded());
    // The same library, opened again, holds the notes of its entry points.
    std::unique_ptr<SharedLibrary> same = SharedLibrary::load("liborxmac-fake.so");
    ASSERT_NE(same, nullptr);
    auto last = reinterpret_cast<const char* (*)()>(same->symbol("FakeOrxMacLast"));
    auto stops = reinterpret_cast<int (*)()>(same->symbol("FakeOrxMacStops"));
    ASSERT_NE(last, nullptr);
    ASSERT_NE(stops, nullptr);
    EXPECT_STREQ(last(), "run 256 512 /m/run.mac");
    ASSERT_TRUE(binding.debug("/m/debug.mac", main, view));
    EXPECT_STREQ(last(), "debug /m/debug.mac");
    const int before = stops();
    ASSERT_TRUE(binding.stop());
    EXPECT_EQ(stops(), before + 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// ---- The commands

class MacroFrame final : public orvex::test::FakeFrameHost {
public:
    void editMacros(MacroSheetRequest& request) override {
        ++sheets;
        seen = request;
        if (answer) answer(request);
    }
    int sheets = 0;
    MacroSheetRequest seen;
    std::function<void(MacroSheetRequest&)> answer;
};

class MacroCommandsTest : public test::SessionFixture {
protected:
    MacroCommandsTest() {
        g_calls.clear();
        session->setMacroLibrary(std::make_unique<MacroLibraryBinding>(
            session->platform(), [] { return std::optional<MacroEntries>(MacroEntries{fakeRun, fakeDebug, nullptr, fakeStop}); }));
        session->instanceControl().attach();
    }
    std::array<std::string, kMacroSlotCount>& paths() { return session->settings().editor.options.macroName; }
    CommandRouter& router() { return session->router(); }
};

struct SlotCase {
    CommandId id;
    int slot;
};

class MacroSlots : public MacroCommandsTest, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(MacroSlots, EnabledByThePathAndRunWithTheReceivingView) {
    const auto [id, slot] = GetParam();
    EXPECT_EQ(MacroCommands::slotOf(id), slot);
    EXPECT_EQ(MacroCommands::runCommandOf(slot), id);
    session->newDocument();
    EXPECT_FALSE(router().state(id).enabled);
    router().run(id);
    EXPECT_TRUE(g_calls.empty());
    paths()[size_t(slot)] = "/macros/slot" + std::to_string(slot) + ".mac";
    EXPECT_TRUE(router().state(id).enabled);
    ASSERT_TRUE(router().run(id));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].entry, "run");
    EXPECT_EQ(g_calls[0].path, paths()[size_t(slot)]);
    EXPECT_EQ(g_calls[0].main, static_cast<void*>(session->mainWindowHandle()));
    EXPECT_EQ(g_calls[0].view, static_cast<void*>(session->activeViewHandle()));
    EXPECT_NE(g_calls[0].view, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ids, MacroSlots,
                         ::testing::Values(SlotCase{32926, 0}, SlotCase{32930, 4}, SlotCase{33025, 5},
                                           SlotCase{33029, 9}));

TEST_F(MacroCommandsTest, NeighboursOfTheRunRangesAreNoSlots) {
    for (CommandId id : {32925, 32931, 33024, 33030}) EXPECT_EQ(MacroCommands::slotOf(id), -1) << id;
    EXPECT_EQ(MacroCommands::runCommandOf(10), 0);
}

TEST_F(MacroCommandsTest, TheCommandSentToAnInactiveViewRunsWithThatView) {
    paths()[2] = "/macros/c.mac";
    EditorWindow* first = session->newDocument();
    session->newDocument();
    const win::Handle target = session->viewHandle(&first->activeView());
    win::sendMessage(target, win::kMsgCommand, win::commandWParam(MacroCommands::runCommandOf(2)));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].view, static_cast<void*>(target));
}

TEST_F(MacroCommandsTest, ARunIsRecordedIntoTheKeyMacro) {
    paths()[0] = "/macros/a.mac";
    paths()[7] = "/macros/h.mac";
    session->newDocument();
    keymacro::KeyMacroSlots& slots = session->keyMacros();
    ASSERT_TRUE(slots.toggleRecording(0));
    router().run(32926);
    router().run(33027);
    ASSERT_TRUE(slots.toggleRecording(0));
    const std::vector<uint32_t>& words = slots.slot(0).words;
    EXPECT_NE(std::find(words.begin(), words.end(), 32926u), words.end());
    EXPECT_NE(std::find(words.begin(), words.end(), 33027u), words.end());
    EXPECT_EQ(g_calls.size(), 2u);
}

TEST_F(MacroCommandsTest, StopBeforeAnyRunLoadsNothingAndAfterwardsStops) {
    ASSERT_TRUE(router().run(cmd::kMacroStop));
    EXPECT_FALSE(session->macroLibrary().loaded());
    EXPECT_TRUE(g_calls.empty());
    paths()[0] = "/macros/a.mac";
    session->newDocument();
    router().run(32926);
    router().run(cmd::kMacroStop);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].entry, "stop");
}

TEST_F(MacroCommandsTest, HelpOpensTheGuide) {
    const std::string guide = folder.file("macro-language.md");
    { std::FILE* f = std::fopen(guide.c_str(), "wb"); std::fputs("# Macros\n", f); std::fclose(f); }
    session->macroCommands().setGuidePath(guide);
    ASSERT_TRUE(router().run(cmd::kMacroHelp));
    ASSERT_NE(session->activeWindow(), nullptr);
    EXPECT_EQ(session->activeWindow()->document().path(), guide);
}

TEST_F(MacroCommandsTest, MenuLabelsFollowTheTitles) {
    session->settings().editor.options.macroTT[1] = "Sort";
    EXPECT_EQ(session->macroCommands().menuLabel(1, true), "Sort(&2)");
    EXPECT_EQ(session->macroCommands().menuLabel(9, true), "ﾏｸﾛの実行10(&0)");
}

class MacroSheetTest : public MacroCommandsTest {
protected:
    MacroSheetTest() { session->setFrameHost(&frame); }
    ~MacroSheetTest() override { session->setFrameHost(nullptr); }
    MacroFrame frame;
};

TEST_F(MacroSheetTest, CancelKeepsTheSlotsButRemembersThePage) {
    paths()[0] = "/macros/a.mac";
    frame.answer = [](MacroSheetRequest& r) {
        r.paths[0] = "/changed.mac";
        r.page = 4;
        r.close = MacroSheetRequest::Close::Cancel;
    };
    ASSERT_TRUE(router().run(cmd::kMacroSheet));
    EXPECT_EQ(frame.seen.paths[0], "/macros/a.mac");
    EXPECT_EQ(paths()[0], "/macros/a.mac");
    EXPECT_EQ(frame.menuTextRefreshes, 0);
    frame.answer = nullptr;
    router().run(cmd::kMacroSheet);
    EXPECT_EQ(frame.seen.page, 4);
}

TEST_F(MacroSheetTest, OkStoresSavesAndRelabels) {
    frame.answer = [](MacroSheetRequest& r) {
        r.titles[3] = "Tidy";
        r.paths[3] = "/macros/tidy.mac";
        r.page = 3;
        r.close = MacroSheetRequest::Close::Ok;
    };
    ASSERT_TRUE(router().run(cmd::kMacroSheet));
    EXPECT_EQ(session->settings().editor.options.macroTT[3], "Tidy");
    EXPECT_EQ(paths()[3], "/macros/tidy.mac");
    EXPECT_EQ(frame.menuTextRefreshes, 1);
    EXPECT_TRUE(g_calls.empty());
    // Written to the settings file: a new session reads it back.
    settings::SettingsEnvironment env = session->settings().environment();
    EditorSession again(env, fakes.platform(), true);
    EXPECT_EQ(again.settings().editor.options.macroName[3], "/macros/tidy.mac");
    EXPECT_EQ(again.settings().editor.options.macroTT[3], "Tidy");
}

TEST_F(MacroSheetTest, RunDebugAndEditActOnThePageSlot) {
    session->newDocument();
    const std::string file = folder.file("edit.mac");
    { std::FILE* f = std::fopen(file.c_str(), "wb"); std::fputs("main() {}\n", f); std::fclose(f); }
    auto closeWith = [&](MacroSheetRequest::Close close) {
        frame.answer = [close, file](MacroSheetRequest& r) {
            r.paths[6] = file;
            r.page = 6;
            r.close = close;
        };
        router().run(cmd::kMacroSheet);
    };
    closeWith(MacroSheetRequest::Close::Run);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].entry, "run");
    EXPECT_EQ(g_calls[0].path, file);
    closeWith(MacroSheetRequest::Close::Debug);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].entry, "debug");
    closeWith(MacroSheetRequest::Close::Edit);
    EXPECT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(session->activeWindow()->document().path(), file);
}

}  // namespace
}  // namespace orvex::shell
