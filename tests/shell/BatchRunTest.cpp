// Batch mode's core: its arguments and the run around the macro entry
// (the entry here is a function of the test, so no library is loaded).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "shell/BatchRun.h"
#include "shell/HeadlessPlatform.h"
#include "winmsg/EditorRequests.h"

namespace orvex::shell {
namespace {

namespace fs = std::filesystem;

struct ParseRow {
    std::vector<std::string> words;
    bool ok;
    std::string macro;
    std::vector<std::string> files;
};

class BatchArgumentsTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(BatchArgumentsTest, Parses) {
    const ParseRow& row = GetParam();
    std::string error;
    const auto args = parseBatchArguments(row.words, error);
    ASSERT_EQ(args.has_value(), row.ok) << error;
    if (!args) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(args->macro, row.macro);
    EXPECT_EQ(args->files, row.files);
}

INSTANTIATE_TEST_SUITE_P(Rows, BatchArgumentsTest,
                         ::testing::Values(ParseRow{{}, false, "", {}},
                                           ParseRow{{"m.mac"}, true, "m.mac", {}},
                                           ParseRow{{"m.mac", "a", "b"}, true, "m.mac", {"a", "b"}},
                                           ParseRow{{"--verbose", "m.mac"}, false, "", {}},
                                           // After "--" a name may start with a dash.
                                           ParseRow{{"--", "-m.mac", "-a"}, true, "-m.mac", {"-a"}},
                                           // A lone "-" is a name, not an option.
                                           ParseRow{{"m.mac", "-"}, true, "m.mac", {"-"}}));

class BatchRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvex-batchrun-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        m_macro = (m_dir / "m.mac").string();
        std::ofstream(m_macro) << "main() { }\n";
        m_err = open_memstream(&m_errText, &m_errSize);
    }
    void TearDown() override {
        std::fclose(m_err);
        std::free(m_errText);
        fs::remove_all(m_dir);
    }
    std::string file(const char* name, const std::string& text) {
        const std::string p = (m_dir / name).string();
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    std::string errors() {
        std::fflush(m_err);
        return std::string(m_errText, m_errSize);
    }

    fs::path m_dir;
    std::string m_macro;
    std::FILE* m_err = nullptr;
    char* m_errText = nullptr;
    size_t m_errSize = 0;
    settings::SettingsEnvironment m_env;  // memory only
};

TEST_F(BatchRunTest, TheEntryGetsTheMainWindowAndTheLastFilesView) {
    const std::string a = file("a.txt", "first\n"), b = file("b.txt", "second\n");
    int calls = 0;
    const int rc = runBatch(BatchArguments{m_macro, {a, b}}, m_env,
                            [&](void* main, void* view, const char* path) {
                                ++calls;
                                EXPECT_EQ(std::string(path), m_macro);
                                EXPECT_TRUE(win::isWindow(static_cast<win::Handle>(main)));
                                EXPECT_TRUE(win::isWindow(static_cast<win::Handle>(view)));
                                // The view is the last file's: its text is "second".
                                win::TextCopy copy;
                                win::sendMessage(static_cast<win::Handle>(view), win::kMsgViewRequest,
                                                 win::kViewCopyText, reinterpret_cast<win::LParam>(&copy));
                                EXPECT_EQ(copy.out, "second\r");  // the text keeps CR as its line end
                                return 0;
                            },
                            m_err);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(BatchRunTest, WithoutFilesTheViewIsZero) {
    void* seen = reinterpret_cast<void*>(1);
    EXPECT_EQ(runBatch(BatchArguments{m_macro, {}}, m_env,
                       [&](void*, void* view, const char*) {
                           seen = view;
                           return 0;
                       },
                       m_err),
              0);
    EXPECT_EQ(seen, nullptr);
}

TEST_F(BatchRunTest, AMissingFileStopsBeforeTheMacro) {
    int calls = 0;
    const int rc = runBatch(BatchArguments{m_macro, {(m_dir / "none.txt").string()}}, m_env,
                            [&](void*, void*, const char*) { return ++calls, 0; }, m_err);
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(calls, 0);
    EXPECT_NE(errors().find("none.txt"), std::string::npos);
}

TEST_F(BatchRunTest, AFailingMacroIsStatusOneAndUnsavedChangesAreNamed) {
    const std::string a = file("a.txt", "text\n");
    const int rc = runBatch(BatchArguments{m_macro, {a}}, m_env,
                            [&](void*, void* view, const char*) {
                                const char* typed = "more ";
                                win::sendMessage(static_cast<win::Handle>(view), win::kMsgViewRequest,
                                                 win::kViewInsertText, reinterpret_cast<win::LParam>(typed));
                                return 7;
                            },
                            m_err);
    EXPECT_EQ(rc, 1);
    EXPECT_NE(errors().find(a + ": changes not saved"), std::string::npos) << errors();
    std::ifstream in(a, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "text\n");
}

}  // namespace
}  // namespace orvex::shell
