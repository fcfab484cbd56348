#pragma once
// The editor's windows under test: a settings environment in a temporary
// folder (nothing is read from or written to the user's settings), scripted
// message boxes and file dialogs, and the main window shown offscreen.
// Events are delivered synchronously (QTest and sendEvent); nothing waits
// on a clock.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "common/codepage/Cp932.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "qt/mainframe/CChildFrame.h"
#include "qt/mainframe/CMainFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/view/CLuViewWidget.h"
#include "tests/support/FakePlatform.h"
#include "text/CLuView.h"

namespace orvex::qt::test {

inline std::string sj(std::string_view utf8) { return cp932::fromUtf8(utf8); }
inline std::string utf8(std::string_view sjis) { return cp932::toUtf8(sjis); }

// Lets queued calls (status refresh, layout) run.
// The menu action (at any depth) that runs command id, or null.
inline QAction* findAction(const QList<QAction*>& actions, int id) {
    for (QAction* a : actions) {
        if (a->menu()) {
            if (QAction* f = findAction(a->menu()->actions(), id)) return f;
        } else if (a->data().isValid() && a->data().toInt() == id) {
            return a;
        }
    }
    return nullptr;
}

// What a pane paints, on a grey ground (where nothing is painted stays grey).
inline QImage renderPane(CLuViewWidget& pane) {
    QImage image(pane.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter p(&image);
    pane.paintArea(p, image.rect());
    p.end();
    return image;
}

inline void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Answers the modal dialogs a command opens, one step per dialog, in
// order: each step gets the dialog that is modal at that moment and closes
// it (clicks a button, types and accepts ...). The steps run from the
// dialog's own event loop as soon as it is shown; nothing waits on a clock.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget& dialog)>;
    ModalScript() {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    // Steps not used yet.
    size_t pending() const { return m_steps.size(); }
    // Dialogs seen (their window titles), in order.
    QStringList seen;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last || m_steps.empty()) return;
        m_last = modal;
        seen << modal->windowTitle();
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(*modal);
        m_last = nullptr;
    }
    QTimer m_timer;
    std::deque<Step> m_steps;
    QWidget* m_last = nullptr;
};

class EditorWindowTest : public ::testing::Test {
protected:
    // Settings of the test before the frame is built.
    virtual void configure(settings::Settings&) {}
    // Platform services of the test before the frame is built (the frame's
    // automatic backups take the timers then).
    virtual void preparePlatform(Platform&) {}

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings::SettingsEnvironment env;
        env.settingsFile = dir.filePath(QStringLiteral("settings.ini")).toStdString();
        env.dataFolder = dir.filePath(QStringLiteral("data")).toStdString();
        env.tempFolder = dir.path().toStdString();
        env.homeFolder = dir.path().toStdString();
        ctx = std::make_unique<EditorContext>(env, false);
        ctx->platform().messages = &messages;
        ctx->platform().fileDialogs = &dialogs;
        configure(ctx->settings());
        preparePlatform(ctx->platform());
        ctx->applySettings();
        frame = std::make_unique<CMainFrame>(*ctx);
        frame->resize(900, 600);
        frame->show();
        settle();
    }

    void TearDown() override {
        if (frame)
            for (CChildFrame* c : frame->childFrames()) c->document().doc().setModified(false);
        frame.reset();
        ctx.reset();
    }

    CChildFrame* newChild() {
        CChildFrame* c = frame->newDocument();
        settle();
        return c;
    }
    CLuViewWidget& pane() { return *frame->activePane(); }
    CLuView& view() { return pane().view(); }
    CLuDoc& doc() { return pane().document().doc(); }
    std::string text() { return utf8(doc().text().view()); }
    // Replaces the active document's text (loaded, unmodified).
    void load(std::string_view utf8Text) {
        doc().text().setText(sj(utf8Text));
        doc().layoutAll();
        doc().markLoaded();
        view().placeCursorAtOffset(0);
        view().updateCursor(true, ScrollMode::Visible, SelectionUpdate::Clear);
        settle();
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    std::string writeFile(const char* name, const std::string& bytes) {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    QTemporaryDir dir;
    orvex::test::ScriptedMessageBoxes messages;
    orvex::test::FakeFileDialogs dialogs;
    std::unique_ptr<EditorContext> ctx;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace orvex::qt::test
