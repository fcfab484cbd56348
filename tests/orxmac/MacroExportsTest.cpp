// The built liborxmac.so: its entry points bind by name with dlopen and
// run macros against a fake editor. Only the entry points that show no
// window run here (OrxMacRun, OrxMacStop, OrxMacBatch); the dialogs are
// tested with the Qt layer.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <fstream>
#include <string>

#include "FakeEditor.h"
#include "MacroTestSupport.h"
#include "winmsg/MessageLayer.h"

using namespace orvex;
using namespace orvex::orxmac::test;

namespace {

using Entry = int (*)(void*, void*, const char*);
using StopEntry = int (*)();

class MacroExportsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library = dlopen(ORXMAC_LIBRARY, RTLD_NOW | RTLD_LOCAL); }
    void SetUp() override {
        ASSERT_NE(library, nullptr) << dlerror();
        win::attachUiThread();
        editor = std::make_unique<FakeEditor>();
    }
    void TearDown() override {
        if (auto stop = reinterpret_cast<StopEntry>(dlsym(library, "OrxMacStop"))) stop();
        editor.reset();
        win::detachUiThread();
    }
    Entry entry(const char* name) { return reinterpret_cast<Entry>(dlsym(library, name)); }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = ::testing::TempDir() + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    int batch(const std::string& path) {
        return entry("OrxMacBatch")(editor->mainHandle, editor->viewHandle, path.c_str());
    }

    static inline void* library = nullptr;
    std::unique_ptr<FakeEditor> editor;
};

TEST_F(MacroExportsTest, AllEntryPointsBindAndNothingElseIsExported) {
    for (const char* name : {"OrxMacRun", "OrxMacDlgRun", "OrxMacDebug", "OrxMacStop", "OrxMacBatch"})
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    // The interpreter and the bridge stay inside the library.
    EXPECT_EQ(dlsym(library, "_ZN5orvex6orxmac16MacroInterpreter3runERKNS0_11MacroSourceE"), nullptr);
}

TEST_F(MacroExportsTest, BatchRunsAMacroToItsEndWithTheEditor) {
    editor->text = "abc";
    editor->caret = editor->anchor = 3;
    const std::string path = write("batch.mac", inMain("", "Ins(itoa(GetFileLength(), 10)); "
                                                           "if (MessageBox(\"go?\", 1) == 2) Ins(\"Y\");"));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(batch(path), 0);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(editor->text, "abc3Y");  // the message box took its default, Yes
    // A macro's message box is its output.
    EXPECT_EQ(out, "go?\n");
}

TEST_F(MacroExportsTest, BatchReportsAFailingMacroWithItsLineAndFails) {
    const std::string path = write("failing.mac", "main()\n{\n  Ins(\"a\");\n  x = 1;\n}\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(batch(path), 1);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("orvex: " + path + "(4): Error 3: "), std::string::npos) << err;
    EXPECT_EQ(editor->text, "a");  // the change before the error stays
}

TEST_F(MacroExportsTest, BatchOfAMissingFileFailsWithAMessage) {
    const std::string path = ::testing::TempDir() + "missing-batch.mac";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(batch(path), 1);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(path + " を開けません"), std::string::npos) << err;
}

TEST_F(MacroExportsTest, RunStartsAFreeRunningMacroThatStopEnds) {
    const std::string path = write("forever.mac", inMain("", "Ins(\"x\"); while (1) { Sleep(5); }"));
    EXPECT_EQ(entry("OrxMacRun")(editor->mainHandle, editor->viewHandle, path.c_str()), 0);
    ASSERT_TRUE(win::waitPumping([&] { return editor->text == "x"; }, 60000));
    reinterpret_cast<StopEntry>(dlsym(library, "OrxMacStop"))();
    // Stopped and gone: the next start is not refused.
    const std::string next = write("next.mac", inMain("", "Ins(\"y\");"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(batch(next), 0);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(editor->text, "xy");
}

TEST_F(MacroExportsTest, StopBeforeAnyRunDoesNothing) {
    EXPECT_EQ(reinterpret_cast<StopEntry>(dlsym(library, "OrxMacStop"))(), 0);
}

}  // namespace
