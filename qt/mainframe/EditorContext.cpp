#include "qt/mainframe/EditorContext.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "display/RenderSettings.h"
#include "files/FreedesktopTrash.h"
#include "text/CLuDoc.h"
#include "qt/dialogs/QtSearchDialogs.h"
#include "qt/platform/QtClipboard.h"
#include "qt/platform/QtFileDialogs.h"
#include "qt/platform/QtMessageBoxes.h"
#include "qt/platform/QtTimers.h"
#include "qt/platform/QtUiRequests.h"
#include "qt/view/DisplayFont.h"
#include "shell/KeyLookup.h"

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

class EditorContext::Hooks final : public EditorHooks {
public:
    explicit Hooks(EditorContext& ctx) : m_ctx(ctx) {}
    void relayoutOpenDocuments() override { m_ctx.relayoutOpenDocuments(); }

private:
    EditorContext& m_ctx;
};

EditorContext::EditorContext(settings::SettingsEnvironment env, bool loadSettings) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        env.screen = settings::ScreenSize{r.width(), r.height()};
    }
    m_settings = std::make_unique<settings::Settings>(std::move(env));
    if (loadSettings) m_settings->loadAll(false);

    m_messages = std::make_unique<QtMessageBoxes>();
    m_fileDialogs = std::make_unique<QtFileDialogs>();
    m_clipboard = std::make_unique<QtClipboard>();
    m_timers = std::make_unique<QtTimers>();
    m_ui = std::make_unique<QtUiRequests>();
    m_platform.messages = m_messages.get();
    m_platform.fileDialogs = m_fileDialogs.get();
    m_platform.clipboard = m_clipboard.get();
    m_platform.timers = m_timers.get();
    m_platform.ui = m_ui.get();

    m_viewOptions = std::make_unique<ProfileViewOptions>(m_settings->editor,
                                                         [](const CLuDoc& doc) { return doc.fileTypeMode(); });
    m_trash = std::make_unique<files::FreedesktopTrash>();
    m_fileServices = files::documentFileServices(*m_settings, m_trash.get());
    m_hooks = std::make_unique<Hooks>(*this);
    m_qtSearchDialogs = std::make_unique<QtSearchDialogs>();
    m_searchDialogs = m_qtSearchDialogs.get();
    m_search.load(m_settings->editor);
    applySettings();
    m_state.initialise(m_viewOptions->global());
}

EditorContext::~EditorContext() = default;

void EditorContext::setSearchDialogs(search::SearchDialogs* dialogs) {
    m_searchDialogs = dialogs ? dialogs : m_qtSearchDialogs.get();
}

void EditorContext::saveSettings() {
    m_search.save(m_settings->editor);
    m_settings->saveAll(false, false);
}

EditorHooks& EditorContext::hooks() { return *m_hooks; }

void EditorContext::applySettings() {
    settings::Settings& s = *m_settings;
    m_colours = ColourTable::resolve(storedColours(s.colours), systemColours());
    m_font = std::make_unique<DisplayFont>(resolveDisplayFont(s.app.font));
    refreshModeOptions();
    shell::applyKeyDefaults(s.tables.keys);
    shell::applyMenuDefaults(s.tables.menu);
    shell::applyToolbar1Defaults(s.tables.toolbar1);
    m_keys.rebuild(s.tables.keys);
}

void EditorContext::refreshModeOptions() {
    settings::Settings& s = *m_settings;
    for (int m = 0; m < settings::kModeCount; ++m) {
        m_render[size_t(m)] = orvex::renderOptions(s.editor.options, s.editor.mode(m), s.frame.urlKanji);
        m_keywords[size_t(m)] =
            KeywordMatcher(s.editor.keywords, keywordGroupsOn(m_render[size_t(m)].keywdSel, m_colours));
    }
}

}  // namespace orvex::qt
