#pragma once
// Plain-text clipboard as the core sees it: Shift JIS bytes. The Qt layer
// converts at the boundary. The rectangle flag says the text was copied
// from a box selection; it holds until another program changes the
// clipboard.
#include <optional>
#include <string>

namespace orvex {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    virtual std::optional<std::string> text() const = 0;  // Shift JIS
    virtual bool setText(const std::string& sjis, bool rectangle = false) = 0;
    virtual bool isRectangle() const = 0;
};

}  // namespace orvex
