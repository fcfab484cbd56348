#pragma once
// Line-start classes (title rows): a logical line whose first bytes equal
// one of a class's prefixes belongs to that class. Classes are tried in the
// order 1 to 4 and each class's four prefixes in order; the first match
// wins. Empty prefixes never match, and a prefix must lie within the line's
// content.
#include <array>
#include <cstdint>
#include <string>

#include "display/LayoutOptions.h"

namespace orvex {

class LineStartClasses {
public:
    LineStartClasses() = default;
    explicit LineStartClasses(const LayoutOptions& options);

    bool active() const { return m_active; }
    // Class 1-4 of the line whose content is [p, p + n), or 0.
    int classOf(const uint8_t* p, int32_t n) const;

private:
    std::array<std::array<std::string, 4>, 4> m_prefixes;  // empty for disabled classes
    bool m_active = false;
};

}  // namespace orvex
