// Associating extensions with the editor in a scratch freedesktop tree: the
// extension list's rules, the MIME type from globs2, the question when
// another application holds a type, the user's mimeapps.list rewritten
// with its other lines kept, a type of our own for an unknown extension,
// the new-file template, and a failure reported per extension.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/FileAssociation.h"
#include "tests/settings/TempFolder.h"

using namespace orvex;
using namespace orvex::shell;
using orvex::test::TempFolder;

namespace {

struct ExtsRow {
    const char* exts;
    std::vector<std::string> out;
};

class AssociationExtensions : public ::testing::TestWithParam<ExtsRow> {};

TEST_P(AssociationExtensions, Rules) { EXPECT_EQ(associationExtensions(GetParam().exts), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Lists, AssociationExtensions,
    ::testing::Values(ExtsRow{"", {}}, ExtsRow{".txt", {".txt"}}, ExtsRow{"txt;log", {".txt", ".log"}},
                      ExtsRow{" \t.c; h ;;", {".c", ".h"}}, ExtsRow{".txt;.txt;TXT", {".txt", ".TXT"}},
                      ExtsRow{".;*.c;a/b;.md", {".md"}}));

class XdgTree : public ::testing::Test {
protected:
    XdgTree() {
        f.dataHome = folder.file("home/.local/share");
        f.configHome = folder.file("home/.config");
        f.dataDirs = {folder.file("usr/share")};
        f.configDirs = {folder.file("etc/xdg")};
        f.templates = folder.file("home/Templates");
        TempFolder::write(folder.file("usr/share/mime/globs2"),
                          "# generated\n50:text/plain:*.txt\n50:text/x-csrc:*.c\n50:text/x-chdr:*.h\n"
                          "10:text/x-readme:README*\n50:text/x-makefile:*.mak:cs\n");
        TempFolder::write(folder.file("usr/share/applications/mimeapps.list"),
                          "[Default Applications]\ntext/plain=other-editor.desktop;\n");
    }
    XdgAssociations xdg() const { return XdgAssociations(f, "/opt/orvex/bin/orvex"); }
    std::string userList() const { return TempFolder::read(folder.file("home/.config/mimeapps.list")); }

    TempFolder folder;
    XdgFolders f;
    std::vector<std::pair<std::string, std::string>> asked;
    bool answer = true;
    std::function<bool(const std::string&, const std::string&)> ask = [this](const std::string& e, const std::string& h) {
        asked.emplace_back(e, h);
        return answer;
    };
};

TEST_F(XdgTree, TypesComeFromTheGlobsWithTheirCaseRule) {
    EXPECT_EQ(xdg().mimeTypeOf(".txt"), "text/plain");
    EXPECT_EQ(xdg().mimeTypeOf(".TXT"), "text/plain");
    EXPECT_EQ(xdg().mimeTypeOf(".mak"), "text/x-makefile");
    EXPECT_EQ(xdg().mimeTypeOf(".MAK"), "");  // a case-sensitive glob
    EXPECT_EQ(xdg().defaultHandler("text/plain"), "other-editor.desktop");
    EXPECT_EQ(xdg().defaultHandler("text/x-csrc"), "");
}

TEST_F(XdgTree, AnotherApplicationsTypeIsTakenOnlyWhenTheUserSaysSo) {
    answer = false;
    AssociationResult r = registerAssociations(xdg(), ".txt;.c", ".txt", ask);
    EXPECT_EQ(asked, (std::vector<std::pair<std::string, std::string>>{{".txt", "other-editor.desktop"}}));
    EXPECT_EQ(r.declined, std::vector<std::string>{".txt"});
    EXPECT_EQ(r.associated, std::vector<std::string>{".c"});
    EXPECT_EQ(userList(), "[Default Applications]\ntext/x-csrc=orvex.desktop;\n");
    // No installed entry: the user's own one starts this program.
    const std::string entry = TempFolder::read(folder.file("home/.local/share/applications/orvex.desktop"));
    EXPECT_NE(entry.find("Exec=\"/opt/orvex/bin/orvex\" %F"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder.file("home/Templates/新規テキスト.txt")));

    answer = true;
    asked.clear();
    r = registerAssociations(xdg(), ".txt;.c", ".txt", ask);
    EXPECT_EQ(r.associated, (std::vector<std::string>{".txt", ".c"}));
    EXPECT_EQ(asked.size(), 1u);  // .c is ours already
    EXPECT_EQ(xdg().defaultHandler("text/plain"), "orvex.desktop");
}

TEST_F(XdgTree, UserListKeepsItsOtherLinesAndSections) {
    TempFolder::write(folder.file("home/.config/mimeapps.list"),
                      "[Added Associations]\ntext/plain=a.desktop;\n\n[Default Applications]\n"
                      "image/png=viewer.desktop;\ntext/x-csrc=ide.desktop;\n# note\n");
    answer = true;
    registerAssociations(xdg(), ".c;.h", "", ask);
    EXPECT_EQ(userList(),
              "[Added Associations]\ntext/plain=a.desktop;\n\n[Default Applications]\nimage/png=viewer.desktop;\n"
              "text/x-csrc=orvex.desktop;\n# note\ntext/x-chdr=orvex.desktop;\n");
}

TEST_F(XdgTree, UnknownExtensionGetsATypeOfOurOwn) {
    const AssociationResult r = registerAssociations(xdg(), ".orx1;.c", "", ask);
    EXPECT_EQ(r.associated, (std::vector<std::string>{".orx1", ".c"}));
    const std::string package = TempFolder::read(folder.file("home/.local/share/mime/packages/orvex-extensions.xml"));
    EXPECT_NE(package.find("<mime-type type=\"text/x-orvex-orx1\">"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.orx1\"/>"), std::string::npos);
    EXPECT_NE(userList().find("text/x-orvex-orx1=orvex.desktop;"), std::string::npos);
    // Dropping the extension later removes the package.
    registerAssociations(xdg(), ".c", "", ask);
    EXPECT_FALSE(std::filesystem::exists(folder.file("home/.local/share/mime/packages/orvex-extensions.xml")));
}

TEST_F(XdgTree, UnwritableConfigFolderFailsEachExtension) {
    TempFolder::write(folder.file("home/.config"), "a file where the folder should be");
    const AssociationResult r = registerAssociations(xdg(), ".c;.h", "", ask);
    EXPECT_TRUE(r.associated.empty());
    EXPECT_EQ(r.failed, (std::vector<std::string>{".c", ".h"}));
}

}  // namespace
