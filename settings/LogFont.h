#pragma once
// A font description as one group of values in its own section: "Height",
// "Width", "Weight", "Italic", "Underline", "CharSet", "PitchAndFamily" and
// "FaceName". FaceName is Shift JIS bytes. Height 0 means "no font stored":
// the reader then hands back the caller's default font whole.
#include <string>

namespace orvex::settings {

// Character heights (pixels) a font page offers; 0 is "no font chosen".
constexpr int kFontHeightMin = 0;
constexpr int kFontHeightMax = 400;

struct LogFont {
    int height = 0;
    int width = 0;
    int weight = 400;
    int italic = 0;
    int underline = 0;
    int charSet = 128;  // the Shift JIS character set
    int pitchAndFamily = 0;
    std::string faceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// The editor display font when none is stored: the platform's fixed-pitch
// system font, which the drawing layer resolves from the face "System".
LogFont defaultDisplayFont();
// The print, header and footer fonts when none is stored: fixed pitch,
// roman family, face "ＭＳ 明朝" (resolved by the printing layer).
LogFont defaultPrintFont();

}  // namespace orvex::settings
