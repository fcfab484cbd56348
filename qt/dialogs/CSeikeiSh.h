#pragma once
// The formatting property sheet (32872 "整形の設定と実行"): fourteen pages,
// one per preset, each with the preset's controls; the shared box
// "全角文字数で指定(&A)" (NumByWchar) under the pages; OK, "ｷｬﾝｾﾙ" and the
// page buttons "整形の実行(&G)" and "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ整形(&Z)", which store the
// pages and close the sheet with their action. The sheet edits copies: the
// data comes back only through result().
#include <QDialog>
#include <array>

#include "transform/TransformDialogs.h"

class QCheckBox;
class QTabWidget;

namespace orvex::qt {

class SeikeiPage;

class CSeikeiSh final : public QDialog {
    Q_OBJECT
public:
    CSeikeiSh(const transform::FormatSheetData& data, QWidget* parent = nullptr);

    // The pages' values (after OK or a page button).
    transform::FormatSheetData result() const;
    transform::SheetAction action() const { return m_action; }

    QTabWidget* tabs() const { return m_tabs; }
    SeikeiPage* page(int n) const { return m_pages[size_t(n)]; }
    QCheckBox* fullWidthBox() const { return m_wide; }

private:
    void finish(transform::SheetAction action);

    transform::FormatSheetData m_data;
    QTabWidget* m_tabs = nullptr;
    QCheckBox* m_wide = nullptr;
    std::array<SeikeiPage*, settings::kFormatPresetCount> m_pages{};
    transform::SheetAction m_action = transform::SheetAction::Cancel;
};

}  // namespace orvex::qt
