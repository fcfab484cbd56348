// Takes the editor's screenshot: the main window with one Shift JIS file,
// kinsoku wrapping at a narrow width, line numbers, the ruler and a
// selection, grabbed into a PNG file.
//
//   orvex-screenshot FILE OUT.png [first-line selected-lines]
//
// Run it on a real display or under Xvfb
// (xvfb-run -a -s "-screen 0 1280x800x24" ...). The settings are the
// defaults (nothing is read from or written to the user's settings).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>

#include "shell/EditorDocument.h"
#include "qt/mainframe/CChildFrame.h"
#include "qt/mainframe/CMainFrame.h"
#include "qt/mainframe/EditorContext.h"
#include "qt/view/CLuViewWidget.h"
#include "common/codepage/Cp932.h"
#include "text/CLuView.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvex-screenshot FILE OUT.png [first-line selected-lines]\n");
        return 2;
    }
    const int firstLine = argc > 3 ? std::atoi(argv[3]) : 3;
    const int lines = argc > 4 ? std::atoi(argv[4]) : 2;
    QTemporaryDir home;
    orvex::settings::SettingsEnvironment env;
    env.tempFolder = home.path().toStdString();
    env.homeFolder = QDir::homePath().toStdString();
    orvex::qt::EditorContext ctx(env, false);
    orvex::settings::Settings& s = ctx.settings();
    s.editor.mode(0).kinsoku = 1;
    s.editor.mode(0).lineMax = 72;
    s.editor.options.lineNoDisp = 1;
    s.editor.options.rulaDisp = 1;
    s.colours.textColorN[3] = 0x00C04000;  // keywords (group 1) in blue
    s.editor.mode(0).keywdSel[0] = 1;
    const char* words[] = {"ctime", "SIZE", "WHEN", "FILE"};
    for (int i = 0; i < 4; ++i) s.editor.keywords.setWord(20 + i, words[i]);
    s.colours.urlColor = 0x00806000;
    s.colours.findTextColor = 0x000000D0;  // the search highlight in red
    s.colours.lineNoColor = 0x00808080;
    ctx.applySettings();
    ctx.search().setHighlight(orvex::cp932::fromUtf8("ディレクトリ"));

    orvex::qt::CMainFrame frame(ctx);
    frame.resize(1280, 800);
    orvex::qt::CChildFrame* child = frame.openFile(argv[1]);
    if (!child) return 1;
    frame.show();
    QApplication::processEvents();
    orvex::CLuView& view = child->pane(0).view();
    const orvex::TextStore& t = view.document().text();
    const int32_t from = t.rowOfLine(firstLine - 1);
    const int32_t to = t.rowOfLine(firstLine - 1 + lines);
    view.selectRange(t.row(from).offset + 8, t.row(to).offset + 20);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const QImage image = frame.grab().toImage();
    if (!image.save(QString::fromLocal8Bit(argv[2]))) return 1;
    std::printf("%s: %dx%d\n", argv[2], image.width(), image.height());
    return 0;
}
