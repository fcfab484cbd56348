// Randomized edits, undos and redos over mixed Japanese text. After every
// step the row table must equal a fresh full layout and obey every
// invariant, and the text must equal the bytes expected: the previous text
// with the raw edit applied (then normalised by a layout of its own), or,
// after undo and redo, exactly the text that was there at that point of the
// history. ORVEX_RANDOM_STEPS scales the number of steps per configuration.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage/Cp932.h"
#include "tests/support/FakePlatform.h"
#include "tests/text/TextInvariants.h"
#include "text/CLuDoc.h"

using namespace orvex;
using namespace orvex::test;

namespace {

int stepsPerConfig() {
    const char* env = std::getenv("ORVEX_RANDOM_STEPS");
    const int n = env ? std::atoi(env) : 0;
    return n > 0 ? n : 1500;
}

const std::vector<std::string>& fragments() {
    static const std::vector<std::string> f = [] {
        std::vector<std::string> v;
        for (const char* u : {"あいうえお", "かきくけこさしすせそ", "。", "、", "「", "」", "（", "）", "ー", "・",
                              "漢字仮名交じり文", "ｱｲｳｴｵﾞ", "ﾟ", "表示", "マ", "■見出し", "　", "！", "？"})
            v.push_back(cp932::fromUtf8(u));
        for (const char* a : {"abc", "hello world ", "x", "12345", " ", "\t", "\t\t", "\r\n", "\r\n", "\n", "\r",
                              "\f", "\r\n\n", "\n\n", "/*", "*/", "//", "{", "}", "--", "<", ">", "#", "'", ";",
                              "REM ", "(", ")", ",", ".", "wordwrapping", "## "})
            v.push_back(a);
        v.push_back(std::string("\x82", 1));      // a stray lead byte
        v.push_back(std::string("a\0b", 3));       // NUL becomes a blank
        return v;
    }();
    return f;
}

struct Config {
    const char* name;
    bool kinsoku;
    bool wordWrap;
    int cmntSel;
    const char* user;
    int tabStops;
    int hang;
    bool tagFile;
    bool keepUndo;  // saving clears the history (else the saved position moves)
};

class RandomEdits : public ::testing::TestWithParam<Config> {
protected:
    void SetUp() override {
        const Config& c = GetParam();
        options.kinsoku = c.kinsoku;
        options.wordWrap = c.wordWrap;
        options.cmntSel = c.cmntSel;
        options.usrCmnt = c.user;
        options.commentColour = 0x008000;
        options.tabStops = c.tabStops;
        options.kinsokuWrap = c.hang;
        options.tagFile = c.tagFile;
        options.ttwdSel = {1, 1, 1, 1};
        options.classColours = {1, 2, 3, 4};
        options.titleStr[0] = cp932::fromUtf8("■");
        options.titleStr[4] = "##";
        options.titleStr[8] = "#";
        doc = std::make_unique<CLuDoc>(fake.platform());
        EditSettings settings;
        settings.keepUndo = c.keepUndo;
        doc->setEditSettings(settings);
        doc->text().setLayout(options, 10 + int(rng() % 25));
        doc->layoutAll();
    }

    std::string randomText(int pieces) {
        std::string s;
        for (int i = 0; i < pieces; ++i) s += fragments()[rng() % fragments().size()];
        return s;
    }

    // Text a fresh layout makes of raw bytes (lone LFs become CR).
    std::string normalised(std::string raw) const {
        raw.push_back('\0');
        RowBuffer rows;
        doc->text().engine().layout(reinterpret_cast<uint8_t*>(raw.data()), int32_t(raw.size()), 0,
                                    int32_t(raw.size()), 0, CommentState::None, rows);
        raw.pop_back();
        return raw;
    }

    std::string current() const { return std::string(doc->text().view()); }

    // A random position: any row, any column up to its end.
    std::pair<int32_t, int32_t> randomPosition() {
        const TextStore& s = doc->text();
        const int32_t r = int32_t(rng() % uint32_t(s.rowCount()));
        const int32_t col = int32_t(rng() % uint32_t(s.endColumn(r) + 1));
        const int32_t off = s.offsetOf(r, col);
        return {r, off - s.row(r).offset};
    }

    void check(const char* what, bool edited = false) {
        // Edits rebuild only their lines; the full-layout fallback for a
        // table that no longer matches its text must never be needed.
        if (edited) {
            ASSERT_FALSE(doc->text().lastChange().fullLayout) << "after " << what << " at step " << step;
        }
        const std::string bad = checkInvariants(doc->text());
        ASSERT_EQ(bad, "") << "after " << what << " at step " << step;
        ASSERT_EQ(current(), history[size_t(doc->undoHistory().position())]) << "after " << what << " at step " << step;
        if (!doc->isModified()) {
            ASSERT_EQ(current(), saved) << "unmodified but not the saved text, step " << step;
        }
    }

    // Remember the text at the new undo position; redo states beyond it go.
    void recorded() {
        history.resize(size_t(doc->undoHistory().position()));
        history.push_back(current());
    }

    FakePlatform fake;
    LayoutOptions options;
    std::unique_ptr<CLuDoc> doc;
    std::mt19937 rng{12345};
    std::vector<std::string> history{""};
    std::string saved;
    int step = 0;
};

TEST_P(RandomEdits, RowsTextAndHistoryStayExact) {
    rng.seed(uint32_t(std::hash<std::string>{}(GetParam().name)));
    // A starting text, recorded like any insertion.
    const std::string start = randomText(40);
    ASSERT_GE(doc->insertRecorded(0, 0, start.data(), int32_t(start.size()), undokind::kInsert), 0);
    recorded();
    std::string blanked = start;
    for (char& c : blanked)
        if (c == 0) c = ' ';
    ASSERT_EQ(current(), normalised(blanked));
    check("start");

    const int steps = stepsPerConfig();
    for (step = 0; step < steps; ++step) {
        const std::string before = current();
        const unsigned op = rng() % 100;
        const bool big = before.size() > 3000;
        if (op < (big ? 20u : 42u)) {  // insert
            const auto [r, col] = randomPosition();
            const std::string ins = randomText(1 + int(rng() % 4));
            const int32_t off = doc->text().row(r).offset + col;
            ASSERT_GE(doc->insertRecorded(r, col, ins.data(), int32_t(ins.size()), undokind::kInsert), 0);
            std::string raw = before;
            raw.insert(size_t(off), ins);
            for (size_t i = size_t(off); i < size_t(off) + ins.size(); ++i)
                if (raw[i] == 0) raw[i] = ' ';
            ASSERT_EQ(current(), normalised(raw)) << "insert at step " << step;
            recorded();
            check("insert", true);
        } else if (op < 60u) {  // delete
            const auto [r, col] = randomPosition();
            const int32_t off = doc->text().row(r).offset + col;
            const int32_t want = rng() % 25 == 0 ? int32_t(rng() % 600) : int32_t(rng() % 12);
            const int32_t n = doc->text().deletionLength(off, want);
            doc->deleteRecorded(r, col, want, undokind::kDelete);
            std::string raw = before;
            raw.erase(size_t(off), size_t(n));
            ASSERT_EQ(current(), normalised(raw)) << "delete at step " << step;
            if (n > 0) recorded();
            check("delete", n > 0);
        } else if (op < 68) {  // replace: a deletion and an insertion, one undo step
            const auto [r, col] = randomPosition();
            const int32_t n = doc->text().deletionLength(doc->text().row(r).offset + col, int32_t(rng() % 10));
            const std::string ins = randomText(1 + int(rng() % 3));
            if (n > 0) {
                doc->deleteRecorded(r, col, n, undokind::kReplaceDelete);
                recorded();
                ASSERT_GE(doc->insertRecorded(r, col, ins.data(), int32_t(ins.size()), undokind::kReplaceInsert), 0);
                recorded();
                check("replace", true);
            }
        } else if (op < 70) {  // a drag-move: deletion, then a grouped insertion
            const auto [r, col] = randomPosition();
            const int32_t n = doc->text().deletionLength(doc->text().row(r).offset + col, 1 + int32_t(rng() % 6));
            if (n > 0) {
                const std::string moved(doc->text().data() + doc->text().row(r).offset + col, size_t(n));
                doc->deleteRecorded(r, col, n, undokind::kDelete);
                recorded();
                const auto [r2, col2] = randomPosition();
                doc->insertRecorded(r2, col2, moved.data(), int32_t(moved.size()),
                                    undokind::kInsert | undokind::kGrouped);
                recorded();
                check("move", true);
            }
        } else if (op < 84) {  // undo
            const UndoResult u = doc->undo();
            if (u.applied) check("undo", true);
        } else if (op < 94) {  // redo
            const UndoResult u = doc->redo();
            if (u.applied) check("redo", true);
        } else if (op < 97) {  // marks
            const int32_t r = int32_t(rng() % uint32_t(doc->text().rowCount()));
            doc->toggleMark(r);
            check("mark");
        } else if (op < 98) {  // save
            doc->markSaved();
            if (GetParam().keepUndo) history.assign(1, current());
            saved = current();
            check("save");
        } else {  // another wrap width: a full layout keeps marks
            const int32_t marks = doc->text().markedRowCount();
            doc->relayoutForWidth(10 + int32_t(rng() % 30), false, TextPosition{});
            ASSERT_EQ(doc->text().markedRowCount(), marks);
            check("relayout");
        }
    }
    if (std::getenv("ORVEX_RANDOM_VERBOSE"))
        std::fprintf(stderr, "%s: %d bytes, %d rows, undo %d/%d, %d marks\n", GetParam().name, doc->text().size(),
                     doc->text().rowCount(), doc->undoHistory().position(), doc->undoHistory().count(),
                     doc->text().markedRowCount());
    // Undo everything that is left: back to the oldest text kept.
    while (doc->undo().applied) check("final undo", true);
    EXPECT_EQ(current(), history.front());
    // And forward again to the newest.
    while (doc->redo().applied) check("final redo", true);
    EXPECT_EQ(current(), history.back());
}

INSTANTIATE_TEST_SUITE_P(
    Configs, RandomEdits,
    ::testing::Values(Config{"KinsokuCComments", true, false, 1, "", 16, 1, false, true},
                      Config{"WordWrapBraces", false, true, 6, "", 16, 1, false, false},
                      Config{"BothRulesTagsHang3", true, true, 4, "", 32, 3, false, true},
                      Config{"DashesTabs8", false, false, 7, "", 32, 1, false, false},
                      Config{"UserCommentTagFile", true, false, 8, "REM", 8, 2, true, false}),
    [](const ::testing::TestParamInfo<Config>& info) { return std::string(info.param.name); });

}  // namespace
