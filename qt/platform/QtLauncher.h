#pragma once
// The launcher seam with Qt: URLs through the desktop's handlers
// (QDesktopServices, that is xdg-open), programs as detached processes
// started without a shell.
#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include "common/platform/Launcher.h"

namespace orvex::qt {

class QtLauncher final : public Launcher {
public:
    bool openUrl(const std::string& url) override {
        const QUrl u = QUrl::fromUserInput(QString::fromStdString(url));
        return u.isValid() && QDesktopServices::openUrl(u);
    }
    bool startDetached(const std::vector<std::string>& argv) override {
        if (argv.empty()) return false;
        QStringList args;
        for (size_t i = 1; i < argv.size(); ++i) args << QString::fromStdString(argv[i]);
        return QProcess::startDetached(QString::fromStdString(argv[0]), args);
    }
};

}  // namespace orvex::qt
