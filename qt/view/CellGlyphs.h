#pragma once
// Draws Shift JIS cells with the glyphs of the display font, each character
// at its own cell: a half-width character in one column, a double-byte
// character in two. A character the font lacks comes from the fallback font
// Qt picks for it, centred in its cells, so that a proportional fallback
// never shifts the columns after it.
//
// Which font and glyph a character uses is looked up once per distinct
// character (a table of 65,536 entries indexed by the one or two bytes) and
// kept for the life of the font. Drawing a run of cells is then one glyph
// run per font in the run.
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace orvex::qt {

class CellGlyphs {
public:
    explicit CellGlyphs(const QFont& font);

    struct Glyph {
        int16_t font = -1;  // index into the raw fonts; -1: nothing to draw
        uint32_t index = 0;
        float advance = 0;  // the glyph's own width
    };

    // The glyph of a character: one byte, or a lead byte and its trail byte.
    const Glyph& glyph(uint16_t code);

    // Draws the cells of a Shift JIS run (one byte per column, every lead
    // byte followed by its trail byte) from x with the baseline at y, in
    // the painter's pen colour; a glyph narrower than its cells is centred
    // in them.
    void draw(QPainter& painter, std::string_view cells, qreal x, qreal baseline, int cellWidth);

private:
    Glyph resolve(uint16_t code);
    int fontIndex(const QRawFont& raw);

    QFont m_font;
    std::vector<QRawFont> m_raw;
    std::unique_ptr<Glyph[]> m_table;
    std::vector<uint8_t> m_known;
    // Scratch of draw(), one list pair per raw font.
    std::vector<QList<quint32>> m_indexes;
    std::vector<QList<QPointF>> m_positions;
    QGlyphRun m_run;
};

}  // namespace orvex::qt
