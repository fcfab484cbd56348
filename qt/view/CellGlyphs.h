#pragma once
// Draws Shift JIS cells with the glyphs of the display font, each character
// at its own cell: a half-width character in one column, a double-byte
// character in two. A character the font lacks comes from the fallback font
// Qt picks for it, centred in its cells, so that a proportional fallback
// never shifts the columns after it.
//
// Which font and glyph a character uses is looked up once per distinct
// character (a table of 65,536 entries indexed by the one or two bytes) and
// kept for the life of the font.
//
// Two ways to draw: draw() puts glyph runs through a painter (one run per
// font); paintRun() fills a row strip image directly, copying opaque cell
// images (a character in its colours on its background, rendered once per
// character and colour pair and kept in a bounded cache), which is several
// times faster than blending every glyph of a screen anew.
#include <QGlyphRun>
#include <QImage>
#include <unordered_map>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class QPainter;

namespace orvex::cp932 {
class PrivateCharTable;
}

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

    // The table of characters code page 932 lacks of the document being
    // drawn (null: none): its codes are drawn as the characters it holds.
    // Set before each document's cells are drawn.
    void setPrivateChars(const cp932::PrivateCharTable* chars) { m_private = chars; }

    // Draws the cells of a Shift JIS run (one byte per column, every lead
    // byte followed by its trail byte) from x with the baseline at y, in
    // the painter's pen colour; a glyph narrower than its cells is centred
    // in them.
    void draw(QPainter& painter, std::string_view cells, qreal x, qreal baseline, int cellWidth);

    // The size of one cell in a row strip and the baseline in it.
    struct CellBox {
        int width = 1;
        int height = 1;
        int ascent = 0;
        friend bool operator==(const CellBox&, const CellBox&) = default;
    };
    // Fills the cells of a run into a strip (Format_RGB32, at least one
    // row high) from pixel x: the background, then each character's cell
    // image. Parts outside the strip are cut off.
    void paintRun(QImage& strip, int x, std::string_view cells, QRgb foreground, QRgb background, const CellBox& box);
    // Fills pixels [x, x + width) of the strip's rows [0, height).
    static void fill(QImage& strip, int x, int width, int height, QRgb colour);
    size_t cachedCells() const { return m_cells.size(); }

private:
    Glyph resolve(uint16_t code);
    Glyph resolveText(const QString& s);
    // The character a code stands for through the private table, or 0.
    char32_t privateChar(uint16_t code) const;
    const Glyph& privateGlyph(char32_t ch);
    const QImage& paintCell(QImage& image, const Glyph& g, int cells, QRgb foreground, const CellBox& box);
    const QImage& cellImage(uint16_t code, int cells, QRgb foreground, QRgb background, const CellBox& box);
    int fontIndex(const QRawFont& raw);

    QFont m_font;
    std::vector<QRawFont> m_raw;
    std::unique_ptr<Glyph[]> m_table;
    std::vector<uint8_t> m_known;
    // Scratch of draw(), one list pair per raw font.
    std::vector<QList<quint32>> m_indexes;
    std::vector<QList<QPointF>> m_positions;
    QGlyphRun m_run;
    // Cell images by character, width and colours, for m_box.
    CellBox m_box;
    std::unordered_map<uint64_t, QImage> m_cells;
    // Characters drawn through a private table, by character, and their
    // cell images by character and colours (few: kept apart from the
    // tables by code).
    const cp932::PrivateCharTable* m_private = nullptr;
    std::unordered_map<char32_t, Glyph> m_privateGlyphs;
    std::unordered_map<uint64_t, std::unordered_map<char32_t, QImage>> m_privateCells;
};

}  // namespace orvex::qt
