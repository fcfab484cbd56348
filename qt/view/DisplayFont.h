#pragma once
// The editor's display font and its cell metrics. One column is the width
// of a half-width character of the font; a double-byte character takes two
// columns whatever the font says, so text is laid into cells rather than
// flowed (see CellGlyphs).
//
// The stored face names of the settings ("System", Windows face names such
// as "ＭＳ ゴシック") mean nothing here: a face that is not installed, or the
// placeholder "System", becomes the fixed-pitch CJK face "Noto Sans Mono CJK
// JP" when installed, else fontconfig's "monospace".
#include <QFont>
#include <memory>

#include "display/ViewGeometry.h"
#include "settings/LogFont.h"

namespace orvex::qt {

class CellGlyphs;

inline constexpr const char* kDefaultFace = "Noto Sans Mono CJK JP";
inline constexpr int kDefaultPixelSize = 16;

// The Qt font for a stored font description.
QFont resolveDisplayFont(const settings::LogFont& stored);

class DisplayFont {
public:
    explicit DisplayFont(const QFont& font);
    ~DisplayFont();
    DisplayFont(const DisplayFont&) = delete;
    DisplayFont& operator=(const DisplayFont&) = delete;

    const QFont& font() const { return m_font; }
    // Width of one column (a half-width character), at least 1.
    int charWidth() const { return m_metrics.averageCharWidth; }
    int ascent() const { return m_ascent; }
    const FontMetrics& metrics() const { return m_metrics; }
    CellGlyphs& glyphs() const { return *m_glyphs; }

private:
    QFont m_font;
    FontMetrics m_metrics;
    int m_ascent = 0;
    std::unique_ptr<CellGlyphs> m_glyphs;
};

}  // namespace orvex::qt
