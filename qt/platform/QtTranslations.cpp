#include "qt/platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

namespace orvex::qt {

namespace {

std::vector<std::unique_ptr<QTranslator>>& installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

}  // namespace

bool installQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    // qtbase holds the dialogs and standard buttons; qt_ja pulls in the rest
    // of the modules that are there.
    for (const char* name : {"qtbase_ja", "qt_ja"}) {
        auto t = std::make_unique<QTranslator>();
        if (!t->load(QString::fromLatin1(name), folder)) continue;
        app.installTranslator(t.get());
        installed().push_back(std::move(t));
        any = true;
    }
    return any;
}

void removeQtTranslations(QCoreApplication& app) {
    for (auto& t : installed()) app.removeTranslator(t.get());
    installed().clear();
}

const char* programVersion() { return ORVEX_VERSION; }

}  // namespace orvex::qt
