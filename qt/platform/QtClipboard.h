#pragma once
#include <QObject>

#include "common/platform/Clipboard.h"

namespace orvex::qt {

// The system clipboard as Shift JIS text. The rectangle flag is remembered
// with the text this program put there and forgotten as soon as the
// clipboard changes for any other reason.
class QtClipboard final : public QObject, public Clipboard {
public:
    QtClipboard();
    bool hasText() const override;
    std::optional<std::string> text() const override;
    bool setText(const std::string& sjis, bool rectangle) override;
    bool isRectangle() const override { return m_rectangle; }

private:
    bool m_rectangle = false;
    bool m_settingText = false;
};

}  // namespace orvex::qt
