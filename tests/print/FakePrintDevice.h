#pragma once
// A printer of known metrics: 254 dots per inch (one millimetre is ten
// dots), an A4 sheet of 2100 x 2970 dots without physical offset, fonts of
// 40 dots height and 20 dots per half-width cell (a double-byte character
// is two cells). It records what is drawn.
#include <string>
#include <vector>

#include "print/PrintDevice.h"

namespace orvex::print::test {

struct DrawnRun {
    FontRole font;
    int x;
    int y;
    std::string text;
    bool vertical;
};

class FakePrintDevice : public PrintDevice {
public:
    PageMetrics page{254, 254, 2100, 2970, 2100, 2970, 0, 0};
    FontMetrics font{40, 0, 32, 20};
    std::vector<DrawnRun> drawn;

    PageMetrics pageMetrics() const override { return page; }
    FontMetrics fontMetrics(FontRole) const override { return font; }
    int textWidth(FontRole, std::string_view s) const override { return int(s.size()) * font.cellWidth; }
    void drawText(const TextRun& run) override {
        drawn.push_back({run.font, run.x, run.y, std::string(run.text), run.vertical});
    }
};

}  // namespace orvex::print::test
