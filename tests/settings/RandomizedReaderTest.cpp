// Damaged settings files, made by random edits of real ones: the whole
// settings tree loads what it can, every loaded option keeps its rules, and
// export, import, export gives identical files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "TempFolder.h"
#include "settings/Settings.h"

namespace orvex::settings {
namespace {

SettingsEnvironment memoryEnvironment() {
    SettingsEnvironment env;
    env.tempFolder = "/tmp";
    env.homeFolder = "/home/user";
    env.screen = {1920, 1080};
    return env;
}

void expectWithinRules(const Settings& s) {
    for (const ModeOptions& m : s.editor.modes) {
        ASSERT_GE(m.tabWidth(), 1);
        ASSERT_GE(m.lineMax, 10);
        ASSERT_LE(m.lineMax, 2000);
        ASSERT_NE(m.wrapNum, 0);
        ASSERT_GE(m.cmntSel, 0);
        ASSERT_LE(m.cmntSel, 8);
        ASSERT_NE(m.keywdSel[0], -1);
        ASSERT_NE(m.ttwdSel[1], -1);
    }
    ASSERT_GE(s.editor.options.rulaPitch, 1);
    ASSERT_LE(s.tables.keys.count, 256);
    ASSERT_LE(s.tables.menu.count, 40);
    ASSERT_LE(s.tables.toolbar1.count, 80);
    ASSERT_GE(s.tables.toolbar2.count, 0);
}

std::vector<std::string> baseFiles() {
    std::vector<std::string> files;
    // A full export of settings away from the defaults.
    Settings s(memoryEnvironment());
    s.editor.mode(1).extSel = "*.c;*.h";
    s.editor.history.findStr[0] = "find\tme \"now\"";
    s.tables.keys.count = 2;
    s.tables.keys.records[1] = KeyAssignment{0x0B, 0x5A, 57643};
    s.fixedStrings.setText(3, "fixed\r\ntext");
    files.push_back(s.exportImage().serialize());
    // The fuzz seeds.
    if (const char* src = std::getenv("ORVEX_SOURCE_DIR")) {
        const std::filesystem::path corpus = std::filesystem::path(src) / "fuzz/corpus/SettingsFuzz";
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(corpus, ec))
            files.push_back(orvex::test::TempFolder::read(e.path().string()));
    }
    return files;
}

TEST(RandomizedReader, DamagedFilesLoadAndExportStably) {
    const std::vector<std::string> bases = baseFiles();
    ASSERT_FALSE(bases.empty());
    std::mt19937 rng(20240611);
    const std::string pieces[] = {"\r\n", "\n", "[", "]", "=", "\"", "\\", "\x81", "-1", std::string(1, '\0'), ";",
                                  "99999", "PD", "[System]", "RegWinVer=512"};
    Settings first(memoryEnvironment());
    int imported = 0;
    for (int iter = 0; iter < 120; ++iter) {
        std::string text = bases[static_cast<size_t>(iter) % bases.size()];
        const int edits = 1 + static_cast<int>(rng() % 12);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const size_t pos = rng() % text.size();
            switch (rng() % 4) {
                case 0: text[pos] = static_cast<char>(rng()); break;
                case 1: text.insert(pos, pieces[rng() % std::size(pieces)]); break;
                case 2: text.erase(pos, 1 + rng() % 40); break;
                default: text.resize(pos); break;  // a cut file
            }
        }
        const ProfileFile file = ProfileFile::parse(text);
        ASSERT_EQ(file.serialize(), text);
        if (!first.importImage(file).imported) continue;
        ++imported;
        expectWithinRules(first);
        const std::string exported = first.exportImage().serialize();
        Settings second(memoryEnvironment());
        ASSERT_TRUE(second.importImage(ProfileFile::parse(exported)).imported) << "iteration " << iter;
        expectWithinRules(second);
        ASSERT_EQ(second.exportImage().serialize(), exported) << "iteration " << iter;
    }
    EXPECT_GT(imported, 40);  // most damaged files still hold settings
}

}  // namespace
}  // namespace orvex::settings
