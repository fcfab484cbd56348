#pragma once
// A headless editor session over a scratch folder (settings, data and
// temporary files inside it) with the scripted platform fakes: the common
// start of the session tests.
#include <gtest/gtest.h>

#include <memory>

#include "shell/EditorSession.h"
#include "tests/settings/TempFolder.h"
#include "tests/support/FakePlatform.h"

namespace orvex::shell::test {

class SessionFixture : public ::testing::Test {
protected:
    SessionFixture() {
        settings::SettingsEnvironment env;
        env.settingsFile = folder.file("settings.ini");
        env.dataFolder = folder.file("data");
        env.tempFolder = folder.path();
        env.homeFolder = folder.path();
        session = std::make_unique<EditorSession>(env, fakes.platform(), false);
    }

    orvex::test::TempFolder folder;
    orvex::test::FakePlatform fakes;
    std::unique_ptr<EditorSession> session;
};

}  // namespace orvex::shell::test
