#pragma once
#include <QObject>
#include <string>

#include "common/platform/Clipboard.h"

namespace orvex::qt {

// The system clipboard as Shift JIS text. The rectangle flag is remembered
// with the text this program put there and forgotten as soon as the
// clipboard changes for any other reason. Text goes out with LF line ends
// and comes in with the editor's (see common/platform/ClipboardText.h).
//
// The primary selection: a selection in a view offers its text there, and
// a middle click pastes it. Where the window system has no primary
// selection, the editor keeps its own, so that middle clicks between its
// views still work.
class QtClipboard final : public QObject, public Clipboard {
public:
    QtClipboard();
    bool hasText() const override;
    std::optional<std::string> text() const override;
    bool setText(const std::string& sjis, bool rectangle) override;
    bool isRectangle() const override { return m_rectangle; }
    std::optional<std::string> textFor(cp932::PrivateCharTable* chars) const override;
    bool setTextFrom(const std::string& sjis, bool rectangle, const cp932::PrivateCharTable* chars) override;

    // A document's selection (with its table, or null) as the primary
    // selection.
    void setPrimary(const std::string& sjis, const cp932::PrivateCharTable* chars = nullptr);
    // The primary selection's text for a document, in the editor's line
    // ends (empty when there is none).
    std::string primary(cp932::PrivateCharTable* chars = nullptr) const;

private:
    bool m_rectangle = false;
    bool m_settingText = false;
    QString m_primary;  // the editor's own, where the system has none
};

}  // namespace orvex::qt
