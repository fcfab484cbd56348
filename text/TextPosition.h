#pragma once
// A position in a document as every view sees it: a display row and a byte
// column in that row, with the display column beside it.
#include <cstdint>

namespace orvex {

struct TextPosition {
    int32_t row = 0;
    int32_t byteColumn = 0;
    int32_t displayColumn = 0;
    friend bool operator==(const TextPosition&, const TextPosition&) = default;
};

}  // namespace orvex
