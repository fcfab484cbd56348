// orvex --batch run as a user runs it: the real program, no display in its
// environment, settings and data in a scratch home, macro files from
// macros/. Each case checks the files the run leaves, what it prints and
// its exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class BatchMode : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / ("orvex-batch-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "home");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static std::string macro(const char* name) { return std::string(BATCH_MACROS) + "/" + name; }
    fs::path file(const char* name) const { return m_dir / name; }

    // Runs orvex with the words after "--batch": no display variables, a
    // home of its own, so the user's settings play no part.
    RunResult run(const std::string& words) const {
        const fs::path out = m_dir / "stdout", err = m_dir / "stderr";
        const std::string home = (m_dir / "home").string();
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=" + quoted(home) +
                                    " XDG_CONFIG_HOME=" + quoted(home + "/config") +
                                    " XDG_DATA_HOME=" + quoted(home + "/data") + " " + quoted(ORVEX_PROGRAM) +
                                    " --batch " + words + " >" + quoted(out.string()) + " 2>" + quoted(err.string()) +
                                    " </dev/null";
        RunResult r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = readAll(out);
        r.err = readAll(err);
        return r;
    }

    fs::path m_dir;
};

// EUC-JP "日本語" and "テスト" with LF line ends, and the same in Shift JIS
// with CR LF.
const std::string kEuc = "\xC6\xFC\xCB\xDC\xB8\xEC\n\xA5\xC6\xA5\xB9\xA5\xC8\n";
const std::string kSjisCrLf = "\x93\xFA\x96\x7B\x8C\xEA\r\n\x83\x65\x83\x58\x83\x67\r\n";

TEST_F(BatchMode, ConvertsAnEucFileToShiftJisWithCrLf) {
    writeAll(file("a.txt"), kEuc);
    const RunResult r = run(quoted(macro("to-sjis-crlf.mac")) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(file("a.txt")), kSjisCrLf);
}

TEST_F(BatchMode, CountsMatchingLinesAndPrintsTheCount) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += i % 7 == 3 ? "line with ERROR inside\n" : "plain line\n";
    // A long line that wraps: it counts once.
    text += std::string(500, 'x') + "ERROR" + std::string(500, 'y') + "\n";
    writeAll(file("log.txt"), text);
    const RunResult r = run(quoted(macro("count-matches.mac")) + " " + quoted(file("log.txt").string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("8 matching lines"), std::string::npos) << r.out << r.err;
    EXPECT_EQ(readAll(file("log.txt")), text) << "a reading macro changed the file";
}

TEST_F(BatchMode, AMacroErrorGivesStatusOneWithItsNumberAndLine) {
    writeAll(file("a.txt"), "text\n");
    const RunResult r = run(quoted(macro("error-line.mac")) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("(5)"), std::string::npos) << "the error's line: " << r.err;
}

TEST_F(BatchMode, QuestionsTakeTheirDefaultAnswers) {
    writeAll(file("a.txt"), "start\n");
    const RunResult r = run(quoted(macro("answers.mac")) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(file("a.txt")), "start\nyes[]");
}

TEST_F(BatchMode, UnsavedChangesAreReportedAndTheFileKept) {
    writeAll(file("a.txt"), "keep me\n");
    const RunResult r = run(quoted(macro("edit-unsaved.mac")) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(file("a.txt")), "keep me\n");
    EXPECT_NE(r.err.find("changes not saved"), std::string::npos) << r.err;
}

TEST_F(BatchMode, WorkingOnAClosedDocumentIsErrorThirty) {
    writeAll(file("a.txt"), "x\n");
    const RunResult r = run(quoted(macro("path-and-close.mac")) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(file("a.txt").string()), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Error 30"), std::string::npos) << r.err;
}

TEST_F(BatchMode, MissingFilesAndMissingMacroEndWithStatusOne) {
    writeAll(file("a.txt"), "x\n");
    RunResult r = run(quoted(macro("to-sjis-crlf.mac")) + " " + quoted(file("missing.txt").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;
    r = run(quoted(file("nothing.mac").string()) + " " + quoted(file("a.txt").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nothing.mac"), std::string::npos) << r.err;
    r = run("");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    EXPECT_EQ(readAll(file("a.txt")), "x\n");
}

TEST_F(BatchMode, RunsWithoutAnyFile) {
    // With no document the macro still runs; the text built-ins need one.
    const fs::path m = file("new.mac");
    writeAll(m, "main() { FileNew(); Ins(\"abc\"); FileSaveAs(\"" + file("made.txt").string() + "\"); }\n");
    const RunResult r = run(quoted(m.string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readAll(file("made.txt")), "abc");
}

}  // namespace
