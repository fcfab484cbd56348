#include "qt/print/PrintFonts.h"

#include <QFontDatabase>
#include <cmath>
#include <cstdlib>

#include "qt/platform/QtText.h"

namespace orvex::qt {

QString fallbackPrintFamily() {
    static const QString family = [] {
        for (const char* f : {"Noto Sans Mono CJK JP", "Noto Sans CJK JP", "Noto Serif CJK JP", "IPAGothic",
                              "IPAMincho", "VL Gothic", "TakaoGothic"})
            if (QFontDatabase::hasFamily(QString::fromUtf8(f))) return QString::fromUtf8(f);
        return QStringLiteral("monospace");
    }();
    return family;
}

QFont resolvePrintFont(const settings::LogFont& stored, int sizeTenths, int dpi) {
    QString face = toQString(stored.faceName);
    if (face.startsWith(QLatin1Char('@'))) face.remove(0, 1);
    if (face.isEmpty() || !QFontDatabase::hasFamily(face)) face = fallbackPrintFamily();
    QFont font(face);
    font.setStyleHint(QFont::TypeWriter);
    double points = 10.0;
    if (sizeTenths >= 1)
        points = sizeTenths / 10.0;
    else if (stored.height != 0)
        points = std::abs(stored.height) * 72.0 / 96.0;
    const int pixels = std::max(1, int(std::lround(points * std::max(dpi, 1) / 72.0)));
    font.setPixelSize(pixels);
    if (stored.weight > 0) font.setWeight(stored.weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(stored.italic != 0);
    font.setUnderline(stored.underline != 0);
    font.setKerning(false);
    return font;
}

}  // namespace orvex::qt
