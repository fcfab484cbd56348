#pragma once
// A frame host that does nothing but count what it was asked: for session
// tests of the commands that need a frame (sheets, menus, bars).
#include <functional>
#include <vector>

#include "shell/FrameHost.h"

namespace orvex::test {

class FakeFrameHost : public shell::FrameHost {
public:
    void windowOpened(shell::EditorWindow&) override {}
    void bringToFront(shell::EditorWindow&) override {}
    bool closeWindow(shell::EditorWindow&) override { return true; }
    void windowSplitChanged(shell::EditorWindow&) override {}
    void viewsChanged() override {}
    void arrangeWindows(CommandId) override {}
    void switchWindow(bool) override {}
    bool barVisible(CommandId) const override { return false; }
    void setBarVisible(CommandId, bool) override {}
    void showAbout() override {}
    bool exitApplication() override { return true; }
    bool askColumns(shell::ColumnRequest&) override { return false; }
    void fitColumns(int32_t) override {}
    void menuTextsChanged() override { ++menuTextRefreshes; }

    void editPrograms(shell::ProgramSheetRequest& request) override {
        if (programSheet) programSheet(request);
    }

    void placeMainWindow(const shell::ScreenRect& r) override { placed.push_back(r); }

    int menuTextRefreshes = 0;
    std::vector<shell::ScreenRect> placed;
    std::function<void(shell::ProgramSheetRequest&)> programSheet;  // plays the user
};

}  // namespace orvex::test
