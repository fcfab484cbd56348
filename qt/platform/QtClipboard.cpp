#include "qt/platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "qt/platform/QtText.h"

namespace orvex::qt {

QtClipboard::QtClipboard() {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (!m_settingText) m_rectangle = false;
    });
}

bool QtClipboard::hasText() const { return !QGuiApplication::clipboard()->text().isEmpty(); }

std::optional<std::string> QtClipboard::text() const {
    QString t = QGuiApplication::clipboard()->text();
    if (t.isNull()) return std::nullopt;
    return fromQString(t);
}

bool QtClipboard::setText(const std::string& sjis, bool rectangle) {
    m_settingText = true;
    QGuiApplication::clipboard()->setText(toQString(sjis));
    m_settingText = false;
    m_rectangle = rectangle;
    return true;
}

}  // namespace orvex::qt
