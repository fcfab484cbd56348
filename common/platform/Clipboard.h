#pragma once
// Plain-text clipboard as the core sees it: Shift JIS bytes. The Qt layer
// converts at the boundary. The rectangle flag says the text was copied
// from a box selection; it holds until another program changes the
// clipboard.
#include <optional>
#include <string>

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    virtual std::optional<std::string> text() const = 0;  // Shift JIS
    virtual bool setText(const std::string& sjis, bool rectangle = false) = 0;
    virtual bool isRectangle() const = 0;

    // The same for a document's text: codes its table of characters code
    // page 932 lacks holds go out as their real characters, and such
    // characters coming in get codes of that table (new entries where
    // needed). A null table is the plain conversion. An implementation
    // without Unicode text ignores the table.
    virtual std::optional<std::string> textFor(cp932::PrivateCharTable* chars) const {
        (void)chars;
        return text();
    }
    virtual bool setTextFrom(const std::string& sjis, bool rectangle, const cp932::PrivateCharTable* chars) {
        (void)chars;
        return setText(sjis, rectangle);
    }
};

}  // namespace orvex
