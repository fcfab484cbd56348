#include "qt/view/CellGlyphs.h"

#include <QPainter>
#include <QTextLayout>
#include <cstring>

#include "common/codepage/PrivateCharTable.h"
#include "common/codepage/ShiftJis.h"
#include "common/codepage/SjisWalk.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

constexpr size_t kTableSize = 65536;
// Cell images kept at most; the cache starts again when it is full (a
// screen needs a few thousand).
constexpr size_t kMaxCachedCells = 12000;

std::string bytesOf(uint16_t code) {
    if (code > 0xFF) return {char(code >> 8), char(code & 0xFF)};
    return {char(code)};
}

}  // namespace

CellGlyphs::CellGlyphs(const QFont& font) : m_font(font), m_table(new Glyph[kTableSize]), m_known(kTableSize, 0) {}

int CellGlyphs::fontIndex(const QRawFont& raw) {
    for (size_t i = 0; i < m_raw.size(); ++i)
        if (m_raw[i] == raw) return int(i);
    m_raw.push_back(raw);
    m_indexes.emplace_back();
    m_positions.emplace_back();
    return int(m_raw.size() - 1);
}

CellGlyphs::Glyph CellGlyphs::resolve(uint16_t code) { return resolveText(toQString(bytesOf(code))); }

char32_t CellGlyphs::privateChar(uint16_t code) const {
    if (!m_private || m_private->empty() || !cp932::PrivateCharTable::isAreaCode(code)) return 0;
    const char32_t ch = m_private->charOf(code);
    return ch == cp932::PrivateCharTable::kNoChar ? 0 : ch;
}

const CellGlyphs::Glyph& CellGlyphs::privateGlyph(char32_t ch) {
    auto it = m_privateGlyphs.find(ch);
    if (it == m_privateGlyphs.end()) {
        const char32_t one[1] = {ch};
        it = m_privateGlyphs.emplace(ch, resolveText(QString::fromUcs4(one, 1))).first;
    }
    return it->second;
}

CellGlyphs::Glyph CellGlyphs::resolveText(const QString& s) {
    Glyph g;
    if (s.isEmpty() || s.at(0).isSpace() || s.at(0).unicode() < 0x20) return g;
    // The layout engine knows which installed font covers the character;
    // its first glyph is the one drawn.
    QTextLayout layout(s, m_font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        if (indexes.isEmpty()) continue;
        const QRawFont raw = run.rawFont();
        g.font = int16_t(fontIndex(raw));
        g.index = indexes.front();
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(QList<quint32>{g.index});
        g.advance = advances.isEmpty() ? 0.0f : float(advances.front().x());
        break;
    }
    return g;
}

const CellGlyphs::Glyph& CellGlyphs::glyph(uint16_t code) {
    if (!m_known[code]) {
        m_table[code] = resolve(code);
        m_known[code] = 1;
    }
    return m_table[code];
}

void CellGlyphs::draw(QPainter& painter, std::string_view cells, qreal x, qreal baseline, int cellWidth) {
    for (auto& l : m_indexes) l.clear();
    for (auto& l : m_positions) l.clear();
    const auto* p = reinterpret_cast<const uint8_t*>(cells.data());
    const size_t n = cells.size();
    for (size_t i = 0; i < n;) {
        // A cell run pairs every lead byte with the byte after it.
        const size_t width = size_t(sjis::plainStepWithin(p + i, ptrdiff_t(n - i)));
        const uint16_t code = width == 2 ? uint16_t(p[i] << 8 | p[i + 1]) : p[i];
        const char32_t held = width == 2 ? privateChar(code) : 0;
        const Glyph& g = held ? privateGlyph(held) : glyph(code);
        if (g.font >= 0) {
            m_indexes[size_t(g.font)].append(g.index);
            const qreal room = qreal(width) * cellWidth;
            const qreal offset = g.advance < room ? (room - g.advance) / 2 : 0;
            m_positions[size_t(g.font)].append(QPointF(x + qreal(i) * cellWidth + offset, baseline));
        }
        i += width;
    }
    for (size_t f = 0; f < m_raw.size(); ++f) {
        if (m_indexes[f].isEmpty()) continue;
        m_run.setRawFont(m_raw[f]);
        m_run.setGlyphIndexes(m_indexes[f]);
        m_run.setPositions(m_positions[f]);
        painter.drawGlyphRun(QPointF(0, 0), m_run);
    }
}

}  // namespace orvex::qt

namespace orvex::qt {

void CellGlyphs::fill(QImage& strip, int x, int width, int height, QRgb colour) {
    const int from = std::max(0, x);
    const int to = std::min(strip.width(), x + width);
    if (from >= to) return;
    height = std::min(height, strip.height());
    uchar* bits = strip.bits();
    const qsizetype stride = strip.bytesPerLine();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(line + from, line + to, colour);
    }
}

const QImage& CellGlyphs::paintCell(QImage& image, const Glyph& g, int cells, QRgb foreground, const CellBox& box) {
    if (g.font >= 0) {
        QPainter p(&image);
        p.setPen(QColor::fromRgb(foreground));
        const qreal room = qreal(cells) * box.width;
        m_run.setRawFont(m_raw[size_t(g.font)]);
        m_run.setGlyphIndexes({g.index});
        m_run.setPositions({QPointF(g.advance < room ? (room - g.advance) / 2 : 0, box.ascent)});
        p.drawGlyphRun(QPointF(0, 0), m_run);
    }
    return image;
}

const QImage& CellGlyphs::cellImage(uint16_t code, int cells, QRgb foreground, QRgb background, const CellBox& box) {
    if (!(box == m_box) || m_cells.size() >= kMaxCachedCells) {
        m_cells.clear();
        m_privateCells.clear();
        m_box = box;
    }
    const uint64_t colours = uint64_t(foreground & 0xFFFFFF) | uint64_t(background & 0xFFFFFF) << 24;
    const char32_t held = cells == 2 ? privateChar(code) : 0;
    auto* byChar = held ? &m_privateCells[colours] : nullptr;
    const uint64_t key = uint64_t(code) | colours << 16;
    if (byChar) {
        if (auto it = byChar->find(held); it != byChar->end()) return it->second;
    } else if (auto it = m_cells.find(key); it != m_cells.end()) {
        return it->second;
    }
    QImage image(cells * box.width, box.height, QImage::Format_RGB32);
    image.fill(background);
    paintCell(image, held ? privateGlyph(held) : glyph(code), cells, foreground, box);
    if (byChar) return byChar->emplace(held, std::move(image)).first->second;
    return m_cells.emplace(key, std::move(image)).first->second;
}

void CellGlyphs::paintRun(QImage& strip, int x, std::string_view cells, QRgb foreground, QRgb background,
                          const CellBox& box) {
    const int n = int(cells.size());
    const auto* p = reinterpret_cast<const uint8_t*>(cells.data());
    const int height = std::min(box.height, strip.height());
    const int stripWidth = strip.width();
    uchar* bits = strip.bits();
    const qsizetype stride = strip.bytesPerLine();
    background |= 0xFF000000;
    foreground |= 0xFF000000;
    for (int i = 0; i < n;) {
        const int width = sjis::plainStepWithin(p + i, ptrdiff_t(n - i));
        const uint16_t code = width == 2 ? uint16_t(p[i] << 8 | p[i + 1]) : p[i];
        const int cx = x + i * box.width;
        const int from = std::max(0, cx);
        const int to = std::min(stripWidth, cx + width * box.width);
        i += width;
        if (from >= to) continue;
        const char32_t held = width == 2 ? privateChar(code) : 0;
        if ((held ? privateGlyph(held) : glyph(code)).font < 0) {
            // A blank: the background alone.
            for (int y = 0; y < height; ++y) {
                auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
                std::fill(line + from, line + to, background);
            }
            continue;
        }
        const QImage& cell = cellImage(code, width, foreground, background, box);
        const uchar* src = cell.constBits();
        const qsizetype srcStride = cell.bytesPerLine();
        const size_t bytes = size_t(to - from) * sizeof(QRgb);
        for (int y = 0; y < height; ++y)
            std::memcpy(bits + y * stride + qsizetype(from) * qsizetype(sizeof(QRgb)),
                        src + y * srcStride + qsizetype(from - cx) * qsizetype(sizeof(QRgb)), bytes);
    }
}

}  // namespace orvex::qt
