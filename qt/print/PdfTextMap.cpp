#include "qt/print/PdfTextMap.h"

#include <QFile>
#include <QRawFont>
#include <cstring>
#include <tuple>
#include <unordered_map>

namespace orvex::qt {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Glyph of each drawn character, per font; a glyph maps to the first
// drawn character found with it.
class GlyphOwners {
public:
    explicit GlyphOwners(const DrawnCharacters& drawn) : m_drawn(drawn) {
        for (const QFont& font : drawn.fonts()) {
            Font f{QRawFont::fromFont(font), {}};
            if (!f.raw.isValid()) continue;
            for (char32_t c = 0x20; c < 0x10000; ++c) {
                if (!drawn.contains(char16_t(c)) || (c >= 0xD800 && c < 0xE000)) continue;
                const quint32 g = glyphOf(f.raw, char16_t(c));
                if (g) f.owner.emplace(g, char16_t(c));
            }
            m_fonts.push_back(std::move(f));
        }
    }
    // The drawn character that shares cp's glyph, or 0.
    char16_t replacementFor(char16_t cp) const {
        if (m_drawn.contains(cp) || (cp >= 0xD800 && cp < 0xE000)) return 0;
        for (const Font& f : m_fonts) {
            const quint32 g = glyphOf(f.raw, cp);
            if (!g) continue;
            const auto it = f.owner.find(g);
            if (it != f.owner.end()) return it->second;
        }
        return 0;
    }

private:
    static quint32 glyphOf(const QRawFont& raw, char16_t c) {
        const QList<quint32> g = raw.glyphIndexesForString(QString(QChar(c)));
        return g.size() == 1 ? g[0] : 0;
    }
    struct Font {
        QRawFont raw;
        std::unordered_map<quint32, char16_t> owner;
    };
    const DrawnCharacters& m_drawn;
    std::vector<Font> m_fonts;
};

// Rewrites the destination code points of one map line: bfrange lines
// "<lo> <hi> <dst>" or "<lo> <hi> [<dst> ...]", bfchar lines "<src> <dst>".
int rewriteLine(char* p, char* end, bool range, const GlyphOwners& owners) {
    int rewritten = 0;
    int token = 0;
    for (char* q = p; q < end; ++q) {
        if (*q != '<') continue;
        char* close = static_cast<char*>(memchr(q, '>', size_t(end - q)));
        if (!close) break;
        const ptrdiff_t digits = close - q - 1;
        const bool destination = range ? token >= 2 : token >= 1;
        ++token;
        if (destination && digits == 4) {
            int v = 0;
            bool ok = true;
            for (int i = 1; i <= 4; ++i) {
                const int h = hexValue(q[i]);
                ok = ok && h >= 0;
                v = v * 16 + h;
            }
            if (ok)
                if (const char16_t r = owners.replacementFor(char16_t(v))) {
                    static const char kHex[] = "0123456789ABCDEF";
                    for (int i = 0; i < 4; ++i) q[1 + i] = kHex[(r >> (12 - 4 * i)) & 0xF];
                    ++rewritten;
                }
        }
        q = close;
    }
    return rewritten;
}

}  // namespace

int repairPdfTextMap(const QString& pdfPath, const DrawnCharacters& drawn) {
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray pdf = file.readAll();
    file.close();
    const GlyphOwners owners(drawn);
    int rewritten = 0;
    for (const auto& [begin, finish, range] : {std::tuple{"beginbfrange", "endbfrange", true},
                                               std::tuple{"beginbfchar", "endbfchar", false}}) {
        qsizetype at = 0;
        while ((at = pdf.indexOf(begin, at)) >= 0) {
            const qsizetype stop = pdf.indexOf(finish, at);
            if (stop < 0) break;
            qsizetype line = pdf.indexOf('\n', at);
            while (line >= 0 && line < stop) {
                qsizetype next = pdf.indexOf('\n', line + 1);
                if (next < 0 || next > stop) next = stop;
                rewritten += rewriteLine(pdf.data() + line, pdf.data() + next, range, owners);
                line = next == stop ? -1 : next;
            }
            at = stop;
        }
    }
    if (rewritten == 0) return 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return -1;
    if (file.write(pdf) != pdf.size()) return -1;
    return rewritten;
}

}  // namespace orvex::qt
