#pragma once
// The platform services of a session that has no display (batch mode): the
// core's messages go to standard error and every question takes its
// default answer, file dialogs are cancelled, the clipboard is a string of
// this process, timers never fire and screen updates are dropped. Nothing
// here waits for a person.
#include <cstdio>
#include <optional>
#include <string>

#include "common/platform/Platform.h"

namespace orvex::shell {

class HeadlessMessages final : public MessageBoxes {
public:
    explicit HeadlessMessages(std::FILE* out = stderr) : m_out(out) {}
    MsgResult show(const MessageRequest& request) override;
    int choose(const ChoiceRequest& request) override;
    int shown() const { return m_shown; }

private:
    std::FILE* m_out;
    int m_shown = 0;
};

class HeadlessFileDialogs final : public FileDialogs {
public:
    explicit HeadlessFileDialogs(std::FILE* out = stderr) : m_out(out) {}
    std::optional<FileDialogResult> ask(const FileDialogRequest& request) override;

private:
    std::FILE* m_out;
};

class HeadlessClipboard final : public Clipboard {
public:
    bool hasText() const override { return m_text.has_value(); }
    std::optional<std::string> text() const override { return m_text; }
    bool setText(const std::string& sjis, bool rectangle) override {
        m_text = sjis;
        m_rectangle = rectangle;
        return true;
    }
    bool isRectangle() const override { return m_text && m_rectangle; }

private:
    std::optional<std::string> m_text;
    bool m_rectangle = false;
};

class HeadlessTimers final : public Timers {
public:
    TimerId start(int, std::function<void()>) override { return ++m_last; }
    void stop(TimerId) override {}

private:
    TimerId m_last = 0;
};

class HeadlessUi final : public UiRequests {
public:
    void invalidateRows(const void*, int, int) override {}
    void invalidateAll(const void*) override {}
    void updateTitle(const void*) override {}
    void updateStatus() override {}
};

class HeadlessLauncher final : public Launcher {
public:
    bool openUrl(const std::string&) override { return false; }
    bool startDetached(const std::vector<std::string>&) override { return false; }
};

// All of the above, and the Platform that points at them.
struct HeadlessPlatform {
    HeadlessMessages messages;
    HeadlessFileDialogs fileDialogs;
    HeadlessClipboard clipboard;
    HeadlessTimers timers;
    HeadlessUi ui;
    HeadlessLauncher launcher;

    Platform platform() {
        Platform p;
        p.messages = &messages;
        p.fileDialogs = &fileDialogs;
        p.clipboard = &clipboard;
        p.timers = &timers;
        p.ui = &ui;
        p.launcher = &launcher;
        return p;
    }
};

}  // namespace orvex::shell
