#pragma once
// The Qt dialogs behind transform::TransformDialogs: the sort page "ｿｰﾄ",
// the bracket page "括弧の挿入", the width dialog "整形 - 一行の文字数", the
// formatting sheet (CSeikeiSh) and the popup menu of presets.
#include "transform/TransformDialogs.h"

class QWidget;

namespace orvex::qt {

class QtTransformDialogs final : public transform::TransformDialogs {
public:
    bool askSort(transform::SortDialogData& data) override;
    bool askBracket(transform::BracketDialogData& data) override;
    bool askFormatWidth(transform::FormatWidthData& data) override;
    transform::SheetAction runFormatSheet(transform::FormatSheetData& data) override;
    int choosePreset(const std::vector<std::string>& titles) override;
};

}  // namespace orvex::qt
