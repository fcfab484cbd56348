#pragma once
// The Qt side of the editor session: the Qt implementations of the
// platform seams (message boxes, file dialogs, clipboard, timers, repaint
// requests, the search dialogs), the display font, and the session itself
// (shell::EditorSession), which owns every piece of application state. The
// accessors below forward to the session so that windows and tests reach
// it through one object.
//
// The main window uses one; tests make their own with a settings
// environment in a temporary folder. The platform pointers may be replaced
// (by a test's scripted message boxes, say) before the first document is
// created: documents and views copy them. So may the search dialogs.
#include <memory>

#include "common/platform/Platform.h"
#include "shell/EditorSession.h"

namespace orvex::qt {

class DisplayFont;
class QtClipboard;
class QtFileDialogs;
class QtMessageBoxes;
class QtTimers;
class QtUiRequests;
class QtLauncher;
class QtSearchDialogs;
class QtTransformDialogs;
class QtSettingsDialogs;

class EditorContext {
public:
    // loadSettings: read the settings file now (the program); tests may
    // fill the settings themselves and call applySettings().
    explicit EditorContext(settings::SettingsEnvironment env, bool loadSettings = true);
    ~EditorContext();
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    shell::EditorSession& session() { return *m_session; }
    settings::Settings& settings() { return m_session->settings(); }
    Platform& platform() { return m_session->platform(); }
    EditorState& state() { return m_session->state(); }
    search::SearchState& search() { return m_session->search(); }
    const shell::KeyLookup& keyLookup() const { return m_session->keyLookup(); }
    const ColourTable& colours() const { return m_session->colours(); }
    const RenderOptions& renderOptions(int mode) const { return m_session->renderOptions(mode); }
    const KeywordMatcher& keywords(int mode) const { return m_session->keywords(mode); }
    bool highlightFound() const { return m_session->highlightFound(); }

    QtUiRequests& ui() { return *m_ui; }
    QtMessageBoxes& messageBoxes() { return *m_messages; }
    QtFileDialogs& fileDialogs() { return *m_fileDialogs; }
    QtClipboard& clipboard() { return *m_clipboard; }
    QtSearchDialogs& qtSearchDialogs() { return *m_qtSearchDialogs; }
    // The search dialogs of the session: the Qt dialogs unless replaced.
    void setSearchDialogs(search::SearchDialogs* dialogs);
    // The conversion and formatting dialogs of the session: the Qt dialogs
    // unless replaced (tests script them).
    void setTransformDialogs(transform::TransformDialogs* dialogs);
    const DisplayFont& font() const { return *m_font; }

    // The session's settings again (colours with the palette's system
    // colours, key lookup, mode options) and the display font. Windows
    // repaint afterwards.
    void applySettings();

private:
    std::unique_ptr<QtMessageBoxes> m_messages;
    std::unique_ptr<QtFileDialogs> m_fileDialogs;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<QtTimers> m_timers;
    std::unique_ptr<QtUiRequests> m_ui;
    std::unique_ptr<QtLauncher> m_launcher;
    std::unique_ptr<QtSearchDialogs> m_qtSearchDialogs;
    std::unique_ptr<QtTransformDialogs> m_qtTransformDialogs;
    std::unique_ptr<QtSettingsDialogs> m_qtSettingsDialogs;
    std::unique_ptr<DisplayFont> m_font;
    // Last: it goes first, while the seams its documents use still exist.
    std::unique_ptr<shell::EditorSession> m_session;
};

}  // namespace orvex::qt
