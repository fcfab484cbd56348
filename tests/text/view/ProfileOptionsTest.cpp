// A view reads the options of its document's file-type mode.
#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "text/CLuDoc.h"
#include "text/ProfileViewOptions.h"

using namespace orvex;

TEST(ProfileViewOptionsTest, FollowsTheDocumentsMode) {
    test::FakePlatform fake;
    CLuDoc doc(fake.platform());
    settings::EditorProfile profile;
    profile.mode(0).autoIndent = 0;
    profile.mode(2).autoIndent = 1;
    profile.mode(2).wrapNum = 33;
    ProfileViewOptions options(profile);
    EXPECT_FALSE(options.mode(doc).autoIndent);
    doc.setFileTypeMode(2);
    EXPECT_TRUE(options.mode(doc).autoIndent);
    EXPECT_EQ(options.mode(doc).wrapNum, 33);
    // Toggles write into the document's mode only.
    options.setModeOption(doc, ModeOption::AutoIndent, 0);
    EXPECT_EQ(profile.mode(2).autoIndent, 0);
    EXPECT_EQ(profile.mode(0).autoIndent, 0);
    // An explicit resolver wins.
    ProfileViewOptions fixed(profile, [](const CLuDoc&) { return 0; });
    profile.mode(0).wrapNum = 12;
    EXPECT_EQ(fixed.mode(doc).wrapNum, 12);
}
