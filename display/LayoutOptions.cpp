#include "display/LayoutOptions.h"

#include "settings/EditorOptions.h"

#include "common/codepage/Cp932.h"

namespace orvex {

int LayoutOptions::tabWidth() const {
    int t = tabStops / 4;
    return t < 1 ? 1 : t > 16 ? 16 : t;
}

int LayoutOptions::commentType() const {
    if (commentColour == -1) return 0;
    int t = cmntSel == -1 ? 1 : cmntSel;
    return t >= 0 && t <= 8 ? t : 0;
}

bool LayoutOptions::classEnabled(int k) const {
    if (k < 1 || k > 4) return false;
    if (classColours[k - 1] == -1) return false;
    // -1 means "on when coloured"; the colour is set here.
    return ttwdSel[k - 1] != 0;
}

// The defaults are the profile's, so that a document laid out before the
// settings are applied breaks lines as it will afterwards.
std::string LayoutOptions::defaultNoLineStart() {
    static const std::string s = settings::EditorOptions().kinsokuStr1;
    return s;
}

std::string LayoutOptions::defaultNoLineEnd() {
    static const std::string s = settings::EditorOptions().kinsokuStr2;
    return s;
}

int32_t computeWrapWidth(const LayoutOptions& options, const ViewMetrics* view) {
    if (options.adjCol && view && view->charWidth > 0) {
        const int cw = view->charWidth;
        const int left = view->clientLeft + view->gutterWidth + options.leftSpace * cw / 4;
        const int right = view->clientRight - options.rightSpace * cw / 4;
        if (right - left >= cw) return clampWrapWidth((right - left - cw + 1) / cw);
    }
    return clampWrapWidth(options.lineMax);
}

}  // namespace orvex
