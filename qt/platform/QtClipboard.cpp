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

std::optional<std::string> QtClipboard::text() const { return textFor(nullptr); }

std::optional<std::string> QtClipboard::textFor(cp932::PrivateCharTable* chars) const {
    QString t = QGuiApplication::clipboard()->text();
    if (t.isNull()) return std::nullopt;
    return clipboardtext::incoming(fromQString(t, chars));
}

bool QtClipboard::setText(const std::string& sjis, bool rectangle) { return setTextFrom(sjis, rectangle, nullptr); }

bool QtClipboard::setTextFrom(const std::string& sjis, bool rectangle, const cp932::PrivateCharTable* chars) {
    m_settingText = true;
    QGuiApplication::clipboard()->setText(toQString(clipboardtext::outgoing(sjis), chars));
    m_settingText = false;
    m_rectangle = rectangle;
    return true;
}

void QtClipboard::setPrimary(const std::string& sjis, const cp932::PrivateCharTable* chars) {
    const QString text = toQString(clipboardtext::outgoing(sjis), chars);
    QClipboard* c = QGuiApplication::clipboard();
    if (c->supportsSelection()) c->setText(text, QClipboard::Selection);
    else m_primary = text;
}

std::string QtClipboard::primary(cp932::PrivateCharTable* chars) const {
    QClipboard* c = QGuiApplication::clipboard();
    const QString text = c->supportsSelection() ? c->text(QClipboard::Selection) : m_primary;
    return clipboardtext::incoming(fromQString(text, chars));
}

}  // namespace orvex::qt
