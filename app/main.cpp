// The editor program: sets up Qt, the message layer, the settings and the
// main window, and processes the command line.
//
// ORVEX_FIRST_PAINT_EXIT=1 in the environment makes the program print the
// milliseconds from its start to the first painted view and end there
// (start-up measurements). ORVEX_QUIT_AFTER_START=1 makes it run the exit
// command as soon as the window is up, which ends it the way a user does
// (documents closed, settings saved); the start-and-quit test uses it.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "shell/EditorDocument.h"
#include "qt/mainframe/CMainFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/platform/QtMessagePump.h"
#include "qt/platform/QtTranslations.h"
#include "qt/view/CLuViewWidget.h"
#include "shell/CommandLine.h"

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvex"));
    QApplication::setOrganizationName(QStringLiteral("Pelmar"));
    orvex::qt::installMessagePump();
    orvex::qt::installQtTranslations(app);

    if (const char* v = std::getenv("ORVEX_FIRST_PAINT_EXIT"); v && *v && *v != '0') {
        orvex::qt::CLuViewWidget::setFirstPaintHook([started] {
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
            std::printf("first paint %.1f ms\n", ms);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    int rc = 0;
    {
        orvex::qt::EditorContext context(orvex::settings::SettingsEnvironment::fromProcess());
        orvex::qt::CMainFrame frame(context);
        // Qt took its own options out of argv; the rest is the editor's.
        std::vector<std::string> tokens;
        for (int i = 1; i < argc; ++i) tokens.emplace_back(argv[i]);
        frame.processCommandLine(orvex::shell::parseCommandLine(tokens));
        if (context.settings().frame.defFrmWndSize == 1) frame.showMaximized();
        else frame.show();
        if (const char* v = std::getenv("ORVEX_QUIT_AFTER_START"); v && *v && *v != '0')
            QTimer::singleShot(0, &frame, [&frame] { frame.runCommand(orvex::cmd::kAppExit); });
        rc = QApplication::exec();
    }
    orvex::qt::removeMessagePump();
    return rc;
}
