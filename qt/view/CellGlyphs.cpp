#include "qt/view/CellGlyphs.h"

#include <QPainter>
#include <QTextLayout>

#include "common/codepage/ShiftJis.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

constexpr size_t kTableSize = 65536;

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

CellGlyphs::Glyph CellGlyphs::resolve(uint16_t code) {
    Glyph g;
    const QString s = toQString(bytesOf(code));
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
        uint16_t code = p[i];
        size_t width = 1;
        if (sjis::isLeadByte(p[i]) && i + 1 < n) {
            code = uint16_t(p[i] << 8 | p[i + 1]);
            width = 2;
        }
        const Glyph& g = glyph(code);
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
