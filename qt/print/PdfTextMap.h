#pragma once
// The text a PDF gives back. A font may draw several characters with one
// glyph (日 and the radical ⽇, the blank and TAB); the PDF writer then maps
// that glyph back to the lowest of those code points, so that copying or
// extracting text from the PDF yields radicals and TABs instead of the
// characters printed. repairPdfTextMap rewrites the glyph-to-text maps of a
// written PDF so that each glyph maps to a character that was really drawn
// with it. Code points are rewritten in place, four hex digits for four, so
// the file's object offsets stay valid.
#include <QFont>
#include <QString>
#include <vector>

namespace orvex::qt {

// The characters drawn (BMP code units) and the fonts they were drawn in.
class DrawnCharacters {
public:
    DrawnCharacters() : m_seen(0x10000, false) {}
    void add(const QString& text) {
        for (QChar c : text) m_seen[c.unicode()] = true;
    }
    void addFont(const QFont& font) { m_fonts.push_back(font); }
    bool contains(char16_t c) const { return m_seen[c]; }
    const std::vector<QFont>& fonts() const { return m_fonts; }

private:
    std::vector<bool> m_seen;
    std::vector<QFont> m_fonts;
};

// Returns the number of code points rewritten, or -1 when the file could
// not be read or written.
int repairPdfTextMap(const QString& pdfPath, const DrawnCharacters& drawn);

}  // namespace orvex::qt
