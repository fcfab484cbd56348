#pragma once
// The page-layout dialog "印刷ﾚｲｱｳﾄの設定": the ten formats on a working
// copy, one shown at a time (switching the list saves the shown values
// into the format left and loads the chosen one), with the number of body
// lines per page recomputed whenever a value that governs it changes.
#include <QDialog>
#include <QPrinter>
#include <array>
#include <memory>

#include "settings/PrintOptions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orvex::qt {

class PageLayoutDialog : public QDialog {
    Q_OBJECT
public:
    // Dialog results beside Accepted (OK) and Rejected.
    static constexpr int kPreviewResult = 2;
    static constexpr int kPrintResult = 3;

    using Formats = std::array<settings::PageLayoutFormat, settings::kPageLayoutCount>;
    // printer: the printer whose paper the count is measured on (its output
    // format and name); openedByPrint disables preview and print.
    PageLayoutDialog(const Formats& formats, const settings::PrintOptions& options, const QPrinter& printer,
                     bool openedByPrint, QWidget* parent = nullptr);
    ~PageLayoutDialog() override;

    // The working copy with the shown values saved (after OK, preview or
    // print: what goes back to the settings).
    const Formats& formats() const { return m_formats; }
    const settings::PrintOptions& options() const { return m_options; }

    // The body lines last shown; -1 when they could not be computed.
    int lineCount() const { return m_lineCount; }
    QString lineCountText() const;

    // Controls, for tests and for the layout.
    QComboBox* formatList() const { return m_formatList; }
    QSpinBox* topMargin() const { return m_margins[0]; }
    QSpinBox* bottomMargin() const { return m_margins[1]; }
    QSpinBox* lineSpacing() const { return m_gyoukan; }
    QComboBox* orientation() const { return m_orientation; }
    QCheckBox* onePage() const { return m_onePage; }
    QCheckBox* twoSided() const { return m_twoSided; }
    QPushButton* previewButton() const { return m_previewButton; }
    QPushButton* printButton() const { return m_printButton; }

    // Recomputes the line count now (also run after every change).
    void recount();

private:
    void load(int index);
    void save(int index);
    void finish(int result);
    void chooseFont(int which);
    void showFontTexts();
    settings::PageLayoutFormat shownFormat() const;

    Formats m_formats;
    settings::PrintOptions m_options;
    std::unique_ptr<QPrinter> m_measure;
    int m_current = 0;
    int m_lineCount = -1;
    bool m_loading = false;
    std::array<settings::LogFont, 3> m_fonts;
    std::array<int, 3> m_fontSizes{};

    QComboBox* m_formatList = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_header = nullptr;
    QComboBox* m_headerPos = nullptr;
    QLineEdit* m_footer = nullptr;
    QComboBox* m_footerPos = nullptr;
    std::array<QSpinBox*, 6> m_margins{};  // top, bottom, left, right, header, footer
    QSpinBox* m_mojikan = nullptr;
    QSpinBox* m_gyoukan = nullptr;
    QComboBox* m_columns = nullptr;
    QSpinBox* m_columnGap = nullptr;
    QComboBox* m_orientation = nullptr;
    QComboBox* m_paper = nullptr;
    std::array<QPushButton*, 3> m_fontButtons{};
    QCheckBox* m_vertical = nullptr;
    QLineEdit* m_extensions = nullptr;
    QCheckBox* m_byExtension = nullptr;
    QCheckBox* m_confirm = nullptr;
    QCheckBox* m_twoSided = nullptr;
    QCheckBox* m_onePage = nullptr;
    QCheckBox* m_lineNumbers = nullptr;
    QCheckBox* m_kinsoku = nullptr;
    QCheckBox* m_wordWrap = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_previewButton = nullptr;
    QPushButton* m_printButton = nullptr;
};

}  // namespace orvex::qt
