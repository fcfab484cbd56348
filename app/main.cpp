// The editor program: sets up Qt, the message layer and the settings,
// hands its command line to an instance already running (DualBoot,
// KeepRun) or makes the main window, listens for later starts, and does
// what its command line asks (files, a hidden resident start, the files of
// the last run).
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
#include "qt/print/PdfExport.h"
#include "qt/view/CLuViewWidget.h"
#include "qt/platform/InstanceChannel.h"
#include "shell/BatchRun.h"
#include "shell/CommandLine.h"
#include "shell/HandOver.h"
#include "shell/Startup.h"

#include <QDir>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: orvex [options] [file ...]\n"
    "A multi-document text editor for Japanese and Western text.\n"
    "\n"
    "  file        a file to open (up to 21; names with blanks in quotes)\n"
    "  /jN, -jN    open the first file with the caret on line N\n"
    "  /h, -h      start hidden in the notification area (with RunHide and KeepRun)\n"
    "  --print-pdf OUT.pdf [--layout N] FILE\n"
    "              print FILE to the PDF file OUT.pdf with page layout N (1-10;\n"
    "              default: the one printing would use) and end\n"
    "  --batch MACRO [FILE ...]\n"
    "              run the macro file MACRO without a window (no display needed):\n"
    "              the files are opened as documents, the last one active, the\n"
    "              macro works on it as when run from the menu, and the program\n"
    "              ends with the macro; status 0, or 1 with the macro's error and\n"
    "              line on standard error; every question takes its default\n"
    "              answer and message boxes print their text\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "With DualBoot or KeepRun on, a start hands its files to the editor already\n"
    "running and ends.\n";

// How long a second start waits for the running instance's answer.
constexpr int kHandOverTimeoutMs = 15000;

// orvex --print-pdf OUT.pdf [--layout N] FILE: no window, no instance
// hand-over; the status tells the caller how it went.
int printPdfCommand(int argc, char** argv) {
    QString out, file;
    int layout = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--layout") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (!end || *end || n < 1 || n > 10) {
                std::fprintf(stderr, "orvex: --layout takes a number from 1 to 10\n");
                return 1;
            }
            layout = int(n);
        } else if (out.isEmpty()) {
            out = QString::fromLocal8Bit(argv[i]);
        } else if (file.isEmpty()) {
            file = QString::fromLocal8Bit(argv[i]);
        } else {
            file.clear();
            break;
        }
    }
    if (out.isEmpty() || file.isEmpty()) {
        std::fprintf(stderr, "orvex: usage: orvex --print-pdf OUT.pdf [--layout N] FILE\n");
        return 1;
    }
    return orvex::qt::printFileToPdf(out, layout, file);
}

// orvex --batch MACRO [FILE...]: no Qt at all, so no display is needed.
int batchCommand(int argc, char** argv) {
    std::vector<std::string> words;
    for (int i = 2; i < argc; ++i) words.emplace_back(argv[i]);
    std::string error;
    const std::optional<orvex::shell::BatchArguments> args = orvex::shell::parseBatchArguments(words, error);
    if (!args) {
        std::fprintf(stderr, "orvex: %s\nusage: orvex --batch MACRO [FILE ...]\n", error.c_str());
        return 1;
    }
    return orvex::shell::runBatch(*args, orvex::settings::SettingsEnvironment::fromProcess());
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    // The two informational options work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("orvex %s\n", orvex::qt::programVersion());
            return 0;
        }
    }
    if (argc > 1 && std::strcmp(argv[1], "--batch") == 0) return batchCommand(argc, argv);
    // The PDF output needs no display: without a platform chosen it runs
    // offscreen.
    const bool printPdf = argc > 1 && std::strcmp(argv[1], "--print-pdf") == 0;
    if (printPdf) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvex"));
    QApplication::setOrganizationName(QStringLiteral("Pelmar"));
    if (printPdf) return printPdfCommand(argc, argv);
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
        // Qt took its own options out of argv; the rest is the editor's.
        std::vector<std::string> tokens;
        for (int i = 1; i < argc; ++i) tokens.emplace_back(argv[i]);
        const orvex::settings::AppOptions& app0 = context.settings().app;
        const QString socketPath = orvex::qt::instanceSocketPath();
        if (orvex::shell::looksForInstance(app0)) {
            orvex::shell::HandOverMessage m;
            bool blank = true;
            for (const std::string& t : tokens)
                if (t.find_first_not_of(" \t") != std::string::npos) blank = false;
            if (blank) {
                m.code = orvex::shell::kCtlNewDocument;
            } else {
                m.code = orvex::shell::kCtlHandOver;
                m.directory = QDir::currentPath().toStdString();
                m.tokens = tokens;
            }
            const auto result = orvex::qt::handOver(socketPath, m, kHandOverTimeoutMs);
            // Delivered, or taken without an answer: this start ends here.
            if (result == orvex::qt::HandOverResult::Delivered || result == orvex::qt::HandOverResult::NoAnswer) {
                orvex::qt::removeMessagePump();
                return 0;
            }
        }
        orvex::qt::CMainFrame frame(context);
        frame.startInstanceServer(socketPath);
        frame.startPersonalServer(orvex::qt::personalSocketPath());
        if (app0.keepRun != 0) {
            // Resident: closing the window does not end the process.
            QApplication::setQuitOnLastWindowClosed(false);
            frame.setUpResidentMode();
        }
        const orvex::shell::CommandLineInfo info = orvex::shell::parseCommandLine(tokens);
        const orvex::shell::StartAction action =
            orvex::shell::startAction(info, app0, context.settings().openFiles);
        if (action == orvex::shell::StartAction::NewDocument) frame.newDocument();
        else if (action != orvex::shell::StartAction::Reopen && action != orvex::shell::StartAction::StartHidden)
            frame.processCommandLine(info);
        if (action != orvex::shell::StartAction::StartHidden) {
            if (context.settings().frame.defFrmWndSize == 1) frame.showMaximized();
            else if (context.settings().frame.defFrmWndSize == 3) frame.showMinimized();
            else frame.show();
        }
        if (action == orvex::shell::StartAction::Reopen && orvex::shell::reopenStoredFiles(frame.session()) == 0)
            frame.newDocument();
        // The last directory of the previous run becomes the working one.
        if (const std::string& dir = context.settings().openFiles.dir; !dir.empty()) (void)::chdir(dir.c_str());
        if (const char* v = std::getenv("ORVEX_QUIT_AFTER_START"); v && *v && *v != '0')
            QTimer::singleShot(0, &frame, [&frame] { frame.runCommand(orvex::cmd::kAppExit); });
        rc = QApplication::exec();
    }
    orvex::qt::removeMessagePump();
    return rc;
}
