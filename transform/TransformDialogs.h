#pragma once
// The dialogs of the conversions and of formatting, as the core sees them.
// The Qt layer implements them (qt/dialogs/QtTransformDialogs); tests
// script them. Every dialog edits its data in place and answers whether the
// user confirmed it. Strings are Shift JIS.
#include <array>
#include <string>
#include <vector>

#include "settings/FormatPreset.h"

namespace orvex::transform {

// The sort page: SortType, SortField, SortPunct, SortQuot, SortColumn and
// SortFlags bit 0.
struct SortDialogData {
    int type = 0;
    int field = 1;
    std::string punct = ",";
    std::string quote = "\"";
    int column = 1;
    bool caseSensitive = false;
};

// The bracket page: the entries of the Brakets setting and the entry
// preselected; on OK `chosen` is the entry taken. "ﾘｾｯﾄ" replaces the
// entries with `defaults`.
struct BracketDialogData {
    std::vector<std::string> entries;
    std::vector<std::string> defaults;
    int chosen = 0;
    bool reset = false;  // the entries were reset to the defaults
};

// The width dialog "整形 - 一行の文字数": the width in half-width columns
// (shown halved while numByWchar is on) and the window's columns for
// "ｳｨﾝﾄﾞｳｻｲｽﾞを合わせる".
struct FormatWidthData {
    int width = 70;
    bool numByWchar = false;
    int windowColumns = 0;
};

// The formatting property sheet: copies of the 14 presets, NumByWchar and
// the page shown.
struct FormatSheetData {
    std::array<settings::FormatPreset, settings::kFormatPresetCount> presets;
    bool numByWchar = false;
    int page = 0;
};
enum class SheetAction { Cancel, Ok, Run, FormatClipboard };

class TransformDialogs {
public:
    virtual ~TransformDialogs() = default;
    virtual bool askSort(SortDialogData& data) = 0;
    virtual bool askBracket(BracketDialogData& data) = 0;
    virtual bool askFormatWidth(FormatWidthData& data) = 0;
    virtual SheetAction runFormatSheet(FormatSheetData& data) = 0;
    // Pops up a menu of the titles at the caret; the index chosen, or -1.
    virtual int choosePreset(const std::vector<std::string>& titles) = 0;
};

}  // namespace orvex::transform
