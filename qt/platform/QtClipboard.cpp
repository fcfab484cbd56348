#include "qt/platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "common/platform/ClipboardText.h"
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
    return clipboardtext::incoming(fromQString(t));
}

bool QtClipboard::setText(const std::string& sjis, bool rectangle) {
    m_settingText = true;
    QGuiApplication::clipboard()->setText(toQString(clipboardtext::outgoing(sjis)));
    m_settingText = false;
    m_rectangle = rectangle;
    return true;
}

void QtClipboard::setPrimary(const std::string& sjis) {
    QClipboard* c = QGuiApplication::clipboard();
    if (c->supportsSelection()) c->setText(toQString(clipboardtext::outgoing(sjis)), QClipboard::Selection);
    else m_primary = sjis;
}

std::string QtClipboard::primary() const {
    QClipboard* c = QGuiApplication::clipboard();
    if (c->supportsSelection()) return clipboardtext::incoming(fromQString(c->text(QClipboard::Selection)));
    return m_primary;
}

}  // namespace orvex::qt
