#include "qt/view/DisplayFont.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include "qt/platform/QtText.h"
#include "qt/view/CellGlyphs.h"

namespace orvex::qt {

QFont resolveDisplayFont(const settings::LogFont& stored) {
    QString face = toQString(stored.faceName);
    if (face.isEmpty() || face == QLatin1String("System") || !QFontDatabase::hasFamily(face))
        face = QFontDatabase::hasFamily(QString::fromUtf8(kDefaultFace)) ? QString::fromUtf8(kDefaultFace)
                                                                       : QStringLiteral("monospace");
    QFont font(face);
    font.setStyleHint(QFont::TypeWriter);
    // A negative height is the character height, a positive one the cell
    // height; both are taken as the pixel size here.
    const int height = stored.height < 0 ? -stored.height : stored.height;
    font.setPixelSize(height > 0 ? height : kDefaultPixelSize);
    if (stored.weight > 0) font.setWeight(stored.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(stored.italic != 0);
    font.setUnderline(stored.underline != 0);
    font.setKerning(false);
    return font;
}

DisplayFont::DisplayFont(const QFont& font) : m_font(font) {
    const QFontMetrics fm(m_font);
    m_metrics.averageCharWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    m_metrics.height = std::max(1, fm.height());
    m_metrics.externalLeading = std::max(0, fm.leading());
    m_ascent = fm.ascent();
    m_glyphs = std::make_unique<CellGlyphs>(m_font);
}

DisplayFont::~DisplayFont() = default;

}  // namespace orvex::qt
