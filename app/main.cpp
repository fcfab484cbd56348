// The editor program: sets up Qt, the message layer and the main window.
#include <QApplication>

#include "qt/mainframe/CMainFrame.h"
#include "qt/platform/QtMessagePump.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvex"));
    QApplication::setOrganizationName(QStringLiteral("Pelmar"));
    orvex::qt::installMessagePump();
    orvex::qt::CMainFrame frame;
    frame.show();
    const int rc = QApplication::exec();
    orvex::qt::removeMessagePump();
    return rc;
}
