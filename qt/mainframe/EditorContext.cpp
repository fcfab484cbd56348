#include "qt/mainframe/EditorContext.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "qt/dialogs/QtSearchDialogs.h"
#include "qt/dialogs/QtTransformDialogs.h"
#include "qt/platform/QtClipboard.h"
#include "qt/platform/QtLauncher.h"
#include "qt/platform/QtFileDialogs.h"
#include "qt/platform/QtMessageBoxes.h"
#include "qt/platform/QtTimers.h"
#include "qt/platform/QtUiRequests.h"
#include "qt/settings/QtSettingsDialogs.h"
#include "shell/SettingsCommands.h"
#include "qt/view/DisplayFont.h"

namespace orvex::qt {

namespace {

Colour fromQColor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

SystemColours systemColours() {
    SystemColours s;
    const QPalette pal = QGuiApplication::palette();
    s.windowText = fromQColor(pal.color(QPalette::Active, QPalette::Text));
    s.window = fromQColor(pal.color(QPalette::Active, QPalette::Base));
    s.buttonFace = fromQColor(pal.color(QPalette::Active, QPalette::Button));
    s.buttonShadow = fromQColor(pal.color(QPalette::Active, QPalette::Mid));
    s.buttonHighlight = fromQColor(pal.color(QPalette::Active, QPalette::Light));
    s.buttonText = fromQColor(pal.color(QPalette::Active, QPalette::ButtonText));
    return s;
}

}  // namespace

EditorContext::EditorContext(settings::SettingsEnvironment env, bool loadSettings) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        env.screen = settings::ScreenSize{r.width(), r.height()};
    }
    m_messages = std::make_unique<QtMessageBoxes>();
    m_fileDialogs = std::make_unique<QtFileDialogs>();
    m_clipboard = std::make_unique<QtClipboard>();
    m_timers = std::make_unique<QtTimers>();
    m_ui = std::make_unique<QtUiRequests>();
    m_launcher = std::make_unique<QtLauncher>();
    m_qtSearchDialogs = std::make_unique<QtSearchDialogs>();
    m_qtTransformDialogs = std::make_unique<QtTransformDialogs>();
    m_qtSettingsDialogs = std::make_unique<QtSettingsDialogs>();
    Platform platform;
    platform.messages = m_messages.get();
    platform.fileDialogs = m_fileDialogs.get();
    platform.clipboard = m_clipboard.get();
    platform.timers = m_timers.get();
    platform.ui = m_ui.get();
    platform.launcher = m_launcher.get();
    m_session = std::make_unique<shell::EditorSession>(std::move(env), platform, loadSettings);
    m_session->setSearchDialogs(m_qtSearchDialogs.get());
    m_session->setTransformDialogs(m_qtTransformDialogs.get());
    m_session->settingsCommands().setDialogs(m_qtSettingsDialogs.get());
    applySettings();
}

EditorContext::~EditorContext() { m_session.reset(); }

void EditorContext::setSearchDialogs(search::SearchDialogs* dialogs) {
    m_session->setSearchDialogs(dialogs ? dialogs : m_qtSearchDialogs.get());
}

void EditorContext::setTransformDialogs(transform::TransformDialogs* dialogs) {
    m_session->setTransformDialogs(dialogs ? dialogs : m_qtTransformDialogs.get());
}

void EditorContext::applySettings() {
    m_session->setSystemColours(systemColours());
    m_session->applySettings();
    m_font = std::make_unique<DisplayFont>(resolveDisplayFont(m_session->settings().app.font));
}

}  // namespace orvex::qt
