#pragma once
// Scripted fakes of the platform seams for headless tests. Each records what
// the core asked for and answers from a script prepared by the test.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/codepage/Cp932.h"
#include "common/codepage/PrivateCharTable.h"
#include "common/platform/Platform.h"

namespace orvex::test {

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MsgIcon icon;
        MsgButtons buttons;
        int textId;
    };

    // Answers are used in order; when they run out, defaultAnswer is given
    // (for choices: defaultChoice).
    void answer(MsgResult r) { m_answers.push_back(r); }
    void answerChoice(int index) { m_choices.push_back(index); }
    MsgResult defaultAnswer = MsgResult::Ok;
    int defaultChoice = 0;

    MsgResult show(const MessageRequest& request) override {
        shown.push_back({request.text, request.icon, request.buttons, request.textId});
        if (m_answers.empty()) return defaultAnswer;
        MsgResult r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    int choose(const ChoiceRequest& request) override {
        choices.push_back(request);
        if (m_choices.empty()) return defaultChoice;
        int r = m_choices.front();
        m_choices.pop_front();
        return r;
    }

    std::vector<int> ids() const {
        std::vector<int> out;
        for (const auto& s : shown) out.push_back(s.textId);
        return out;
    }
    void clear() { shown.clear(); choices.clear(); }

    std::vector<Shown> shown;
    std::vector<ChoiceRequest> choices;

private:
    std::deque<MsgResult> m_answers;
    std::deque<int> m_choices;
};

class FakeFileDialogs final : public FileDialogs {
public:
    void answer(std::optional<FileDialogResult> r) { m_answers.push_back(std::move(r)); }
    std::optional<FileDialogResult> ask(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (m_answers.empty()) return std::nullopt;
        auto r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    std::vector<FileDialogRequest> requests;

private:
    std::deque<std::optional<FileDialogResult>> m_answers;
};

class FakeClipboard final : public Clipboard {
public:
    bool hasText() const override { return m_text.has_value() && !m_text->empty(); }
    std::optional<std::string> text() const override { return m_text; }
    bool setText(const std::string& sjis, bool rectangle) override {
        if (failWrites) return false;
        m_text = sjis;
        m_unicode.reset();
        m_rectangle = rectangle;
        ++writes;
        return true;
    }
    bool isRectangle() const override { return m_rectangle; }
    // With a document's table the fake holds Unicode (as UTF-8), as the
    // system clipboard does: a code the table holds goes out as its
    // character and comes back with a code of the reading document's table.
    std::optional<std::string> textFor(cp932::PrivateCharTable* chars) const override {
        if (!m_unicode || !chars) return m_text;
        return chars->fromUtf8(*m_unicode).text;
    }
    bool setTextFrom(const std::string& sjis, bool rectangle, const cp932::PrivateCharTable* chars) override {
        if (!setText(sjis, rectangle)) return false;
        if (chars) m_unicode = chars->toUtf8(sjis);
        return true;
    }
    // Another program took the clipboard.
    void externalChange(std::string sjis) {
        m_text = std::move(sjis);
        m_unicode.reset();
        m_rectangle = false;
    }
    // Another program put Unicode text there.
    void externalUnicode(std::string utf8) {
        m_text = cp932::fromUtf8(utf8);
        m_unicode = std::move(utf8);
        m_rectangle = false;
    }
    bool failWrites = false;
    int writes = 0;

private:
    std::optional<std::string> m_text;
    std::optional<std::string> m_unicode;
    bool m_rectangle = false;
};

// Timers that fire only when the test advances time.
class ManualTimers final : public Timers {
public:
    TimerId start(int intervalMs, std::function<void()> tick) override {
        TimerId id = ++m_lastId;
        m_timers[id] = Timer{intervalMs, 0, std::move(tick)};
        return id;
    }
    void stop(TimerId id) override { m_timers.erase(id); }
    bool running(TimerId id) const { return m_timers.count(id) != 0; }
    size_t count() const { return m_timers.size(); }
    void advance(int ms) {
        for (int t = 0; t < ms; ++t) {
            std::vector<TimerId> due;
            for (auto& [id, timer] : m_timers)
                if (++timer.elapsed >= timer.interval) due.push_back(id);
            for (TimerId id : due) {
                auto it = m_timers.find(id);
                if (it == m_timers.end()) continue;
                it->second.elapsed = 0;
                auto tick = it->second.tick;  // the tick may stop its own timer
                tick();
            }
        }
    }

private:
    struct Timer {
        int interval;
        int elapsed;
        std::function<void()> tick;
    };
    TimerId m_lastId = 0;
    std::map<TimerId, Timer> m_timers;
};

class RecordingUi final : public UiRequests {
public:
    void invalidateRows(const void* view, int first, int last) override { rows.push_back({view, first, last}); }
    void invalidateAll(const void* view) override { ++fullRepaints; }
    void updateTitle(const void* document) override { ++titleUpdates; }
    void updateStatus() override { ++statusUpdates; }
    struct Rows {
        const void* view;
        int first, last;
    };
    std::vector<Rows> rows;
    int fullRepaints = 0, titleUpdates = 0, statusUpdates = 0;
};

// All fakes together, wired into one Platform.
// Records what the core starts: URLs opened and programs with their
// arguments; answers with `works`.
class RecordingLauncher final : public Launcher {
public:
    bool openUrl(const std::string& url) override {
        opened.push_back(url);
        return works;
    }
    bool startDetached(const std::vector<std::string>& argv) override {
        started.push_back(argv);
        return works;
    }
    bool works = true;
    std::vector<std::string> opened;
    std::vector<std::vector<std::string>> started;
};

struct FakePlatform {
    ScriptedMessageBoxes messages;
    FakeFileDialogs fileDialogs;
    FakeClipboard clipboard;
    ManualTimers timers;
    RecordingUi ui;
    RecordingLauncher launcher;
    Platform platform() { return Platform{&messages, &fileDialogs, &clipboard, &timers, &ui, &launcher}; }
};

}  // namespace orvex::test
