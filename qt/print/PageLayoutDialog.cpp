#include "qt/print/PageLayoutDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "common/strings/StringTable.h"
#include "print/PageGeometry.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"
#include "qt/print/PrintDialogTexts.h"
#include "qt/print/PrintFonts.h"
#include "qt/print/QtPrintDevice.h"

namespace orvex::qt {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// Paper codes of the list, in its order; the last entry stands for any
// other code (the stored one is kept).
constexpr int kPaperCodes[] = {13, 9, 12, 8};
constexpr const char* kPaperNames[] = {"B5", "A4", "B4", "A3"};

QSpinBox* spin(int max) {
    auto* s = new QSpinBox;
    s->setRange(0, max);
    return s;
}

QString formatLabel(const settings::PageLayoutFormat& f, int index) {
    if (!f.printTT.empty()) return toQString(f.printTT);
    return u8(printtexts::kFormatName).arg(index + 1);
}

}  // namespace

PageLayoutDialog::PageLayoutDialog(const Formats& formats, const settings::PrintOptions& options,
                                   const QPrinter& printer, bool openedByPrint, QWidget* parent)
    : QDialog(parent), m_formats(formats), m_options(options) {
    setWindowTitle(u8(printtexts::kCaption));
    m_measure = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_measure->setOutputFormat(printer.outputFormat());
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        m_measure->setPrinterName(printer.printerName());
    m_measure->setPageSize(printer.pageLayout().pageSize());

    auto* grid = new QGridLayout;
    int row = 0;
    m_formatList = new QComboBox;
    for (int i = 0; i < settings::kPageLayoutCount; ++i) m_formatList->addItem(formatLabel(m_formats[size_t(i)], i));
    grid->addWidget(new QLabel(u8(printtexts::kFormat)), row, 0);
    grid->addWidget(m_formatList, row, 1);
    m_title = new QLineEdit;
    grid->addWidget(new QLabel(u8(printtexts::kTitle)), row, 2);
    grid->addWidget(m_title, row++, 3);

    auto placement = [] {
        auto* c = new QComboBox;
        for (const char* p : printtexts::kPlacements) c->addItem(u8(p));
        return c;
    };
    m_header = new QLineEdit;
    m_headerPos = placement();
    grid->addWidget(new QLabel(u8(printtexts::kHeader)), row, 0);
    grid->addWidget(m_header, row, 1);
    grid->addWidget(m_headerPos, row++, 2);
    m_footer = new QLineEdit;
    m_footerPos = placement();
    grid->addWidget(new QLabel(u8(printtexts::kFooter)), row, 0);
    grid->addWidget(m_footer, row, 1);
    grid->addWidget(m_footerPos, row++, 2);

    auto* margins = new QGroupBox(u8(printtexts::kMargins));
    auto* mg = new QGridLayout(margins);
    const char* marginNames[] = {printtexts::kTop, printtexts::kBottom, printtexts::kLeft, printtexts::kRight,
                                 printtexts::kHeaderDistance, printtexts::kFooterDistance};
    for (size_t i = 0; i < m_margins.size(); ++i) {
        m_margins[i] = spin(99);
        mg->addWidget(new QLabel(u8(marginNames[i])), int(i / 2), int(i % 2) * 2);
        mg->addWidget(m_margins[i], int(i / 2), int(i % 2) * 2 + 1);
    }
    grid->addWidget(margins, row++, 0, 1, 4);

    m_mojikan = spin(999);
    m_gyoukan = spin(999);
    grid->addWidget(new QLabel(u8(printtexts::kCharSpacing)), row, 0);
    grid->addWidget(m_mojikan, row, 1);
    grid->addWidget(new QLabel(u8(printtexts::kLineSpacing)), row, 2);
    grid->addWidget(m_gyoukan, row++, 3);

    m_columns = new QComboBox;
    for (const char* c : printtexts::kColumns) m_columns->addItem(u8(c));
    m_columnGap = spin(99);
    grid->addWidget(new QLabel(u8(printtexts::kColumnsLabel)), row, 0);
    grid->addWidget(m_columns, row, 1);
    grid->addWidget(new QLabel(u8(printtexts::kColumnGap)), row, 2);
    grid->addWidget(m_columnGap, row++, 3);

    m_orientation = new QComboBox;
    for (const char* o : printtexts::kOrientations) m_orientation->addItem(u8(o));
    m_paper = new QComboBox;
    for (const char* p : kPaperNames) m_paper->addItem(QString::fromLatin1(p));
    m_paper->addItem(u8(printtexts::kOtherPaper));
    grid->addWidget(new QLabel(u8(printtexts::kOrientation)), row, 0);
    grid->addWidget(m_orientation, row, 1);
    grid->addWidget(new QLabel(u8(printtexts::kPaper)), row, 2);
    grid->addWidget(m_paper, row++, 3);

    const char* fontNames[] = {printtexts::kBodyFont, printtexts::kHeaderFont, printtexts::kFooterFont};
    for (int i = 0; i < 3; ++i) {
        m_fontButtons[size_t(i)] = new QPushButton;
        grid->addWidget(new QLabel(u8(fontNames[i])), row, 0);
        grid->addWidget(m_fontButtons[size_t(i)], row, 1, 1, 2);
        if (i == 0) {
            m_vertical = new QCheckBox(u8(printtexts::kVertical));
            grid->addWidget(m_vertical, row, 3);
        }
        ++row;
        connect(m_fontButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { chooseFont(i); });
    }

    m_extensions = new QLineEdit;
    m_byExtension = new QCheckBox(u8(printtexts::kByExtension));
    grid->addWidget(new QLabel(u8(printtexts::kExtensions)), row, 0);
    grid->addWidget(m_extensions, row, 1);
    grid->addWidget(m_byExtension, row++, 2, 1, 2);

    m_confirm = new QCheckBox(u8(printtexts::kConfirm));
    m_twoSided = new QCheckBox(u8(printtexts::kTwoSided));
    m_onePage = new QCheckBox(u8(printtexts::kOnePage));
    m_lineNumbers = new QCheckBox(u8(printtexts::kLineNumbers));
    m_kinsoku = new QCheckBox(u8(printtexts::kKinsoku));
    m_wordWrap = new QCheckBox(u8(printtexts::kWordWrap));
    grid->addWidget(m_confirm, row, 0, 1, 2);
    grid->addWidget(m_twoSided, row, 2);
    grid->addWidget(m_onePage, row++, 3);
    grid->addWidget(m_lineNumbers, row, 0, 1, 2);
    grid->addWidget(m_kinsoku, row, 2);
    grid->addWidget(m_wordWrap, row++, 3);

    m_count = new QLabel;
    grid->addWidget(m_count, row++, 0, 1, 4);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(u8(dialogtexts::kCancel), QDialogButtonBox::RejectRole);
    m_previewButton = buttons->addButton(u8(printtexts::kPreview), QDialogButtonBox::ActionRole);
    m_printButton = buttons->addButton(u8(printtexts::kPrint), QDialogButtonBox::ActionRole);
    m_previewButton->setEnabled(!openedByPrint);
    m_printButton->setEnabled(!openedByPrint);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(QDialog::Accepted); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_previewButton, &QPushButton::clicked, this, [this] { finish(kPreviewResult); });
    connect(m_printButton, &QPushButton::clicked, this, [this] { finish(kPrintResult); });

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addWidget(buttons);

    // What governs the count: margins, paper, orientation, font, line spacing.
    auto recountOnChange = [this] {
        if (!m_loading) recount();
    };
    for (QSpinBox* s : m_margins) connect(s, &QSpinBox::valueChanged, this, recountOnChange);
    connect(m_gyoukan, &QSpinBox::valueChanged, this, recountOnChange);
    connect(m_orientation, &QComboBox::currentIndexChanged, this, recountOnChange);
    connect(m_paper, &QComboBox::currentIndexChanged, this, recountOnChange);
    connect(m_vertical, &QCheckBox::toggled, this, recountOnChange);
    // With one-page printing on, two-sided printing cannot be switched on.
    connect(m_onePage, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_twoSided->setChecked(false);
        m_twoSided->setEnabled(!on);
    });
    connect(m_formatList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_loading || index < 0) return;
        save(m_current);
        m_formatList->setItemText(m_current, formatLabel(m_formats[size_t(m_current)], m_current));
        load(index);
    });

    m_byExtension->setChecked(m_options.prnExtSel != 0);
    m_confirm->setChecked(m_options.prnInfo != 0);
    const int current = m_options.printForm >= 0 && m_options.printForm < settings::kPageLayoutCount ? m_options.printForm : 0;
    m_loading = true;
    m_formatList->setCurrentIndex(current);
    m_loading = false;
    load(current);
}

PageLayoutDialog::~PageLayoutDialog() = default;

void PageLayoutDialog::load(int index) {
    m_loading = true;
    m_current = index;
    const settings::PageLayoutFormat& f = m_formats[size_t(index)];
    m_title->setText(toQString(f.printTT));
    m_header->setText(toQString(f.header));
    m_headerPos->setCurrentIndex(std::clamp(f.headerPos, 0, 3));
    m_footer->setText(toQString(f.footer));
    m_footerPos->setCurrentIndex(std::clamp(f.footerPos, 0, 3));
    const int margins[] = {f.tMrgn, f.bMrgn, f.lMrgn, f.rMrgn, f.hMrgn, f.fMrgn};
    for (size_t i = 0; i < m_margins.size(); ++i) m_margins[i]->setValue(margins[i]);
    m_mojikan->setValue(f.mojikan);
    m_gyoukan->setValue(f.gyoukan);
    m_columns->setCurrentIndex(std::clamp(f.dangumi1, 0, 2));
    m_columnGap->setValue(f.dangumi2);
    m_orientation->setCurrentIndex(f.orientation == 1 ? 1 : 0);
    int paper = 4;
    for (int i = 0; i < 4; ++i)
        if (kPaperCodes[i] == f.paperSize) paper = i;
    m_paper->setCurrentIndex(paper);
    m_fonts = {f.printFont, f.headerFont, f.footerFont};
    m_fontSizes = {f.printFontSize, f.headerFontSize, f.footerFontSize};
    m_vertical->setChecked(print::isVerticalFormat(f));
    m_extensions->setText(toQString(f.prnExt));
    m_onePage->setChecked(f.prnConf != 0);
    m_twoSided->setChecked(f.prnSkip != 0 && f.prnConf == 0);
    m_twoSided->setEnabled(f.prnConf == 0);
    m_lineNumbers->setChecked(f.printLineNo != 0);
    m_kinsoku->setChecked(f.prnKinsoku != 0);
    m_wordWrap->setChecked(f.prnWordWrap != 0);
    showFontTexts();
    m_loading = false;
    recount();
}

settings::PageLayoutFormat PageLayoutDialog::shownFormat() const {
    settings::PageLayoutFormat f = m_formats[size_t(m_current)];
    f.printTT = fromQString(m_title->text());
    f.header = fromQString(m_header->text());
    f.headerPos = m_headerPos->currentIndex();
    f.footer = fromQString(m_footer->text());
    f.footerPos = m_footerPos->currentIndex();
    f.tMrgn = m_margins[0]->value();
    f.bMrgn = m_margins[1]->value();
    f.lMrgn = m_margins[2]->value();
    f.rMrgn = m_margins[3]->value();
    f.hMrgn = m_margins[4]->value();
    f.fMrgn = m_margins[5]->value();
    f.mojikan = m_mojikan->value();
    f.gyoukan = m_gyoukan->value();
    f.dangumi1 = m_columns->currentIndex();
    f.dangumi2 = m_columnGap->value();
    f.orientation = m_orientation->currentIndex();
    if (m_paper->currentIndex() < 4) f.paperSize = kPaperCodes[m_paper->currentIndex()];
    f.printFont = m_fonts[0];
    f.headerFont = m_fonts[1];
    f.footerFont = m_fonts[2];
    f.printFontSize = m_fontSizes[0];
    f.headerFontSize = m_fontSizes[1];
    f.footerFontSize = m_fontSizes[2];
    // The vertical switch is the "@" in front of the body face.
    const bool hasAt = !f.printFont.faceName.empty() && f.printFont.faceName[0] == '@';
    if (m_vertical->isChecked() && !hasAt) f.printFont.faceName.insert(0, "@");
    if (!m_vertical->isChecked() && hasAt) f.printFont.faceName.erase(0, 1);
    f.prnExt = fromQString(m_extensions->text());
    f.prnConf = m_onePage->isChecked() ? 1 : 0;
    f.prnSkip = m_twoSided->isChecked() && !m_onePage->isChecked() ? 1 : 0;
    f.printLineNo = m_lineNumbers->isChecked() ? 1 : 0;
    f.prnKinsoku = m_kinsoku->isChecked() ? 1 : 0;
    f.prnWordWrap = m_wordWrap->isChecked() ? 1 : 0;
    return f;
}

void PageLayoutDialog::save(int index) {
    if (index == m_current) m_formats[size_t(index)] = shownFormat();
}

void PageLayoutDialog::finish(int result) {
    save(m_current);
    m_options.printForm = m_current;
    m_options.prnExtSel = m_byExtension->isChecked() ? 1 : 0;
    m_options.prnInfo = m_confirm->isChecked() ? 1 : 0;
    done(result);
}

QString PageLayoutDialog::lineCountText() const { return m_count->text(); }

void PageLayoutDialog::recount() {
    if (!m_measure->isValid()) {
        m_lineCount = -1;
        m_count->setText(QString::fromUtf8(strings::kNoDefaultPrinter.data(), qsizetype(strings::kNoDefaultPrinter.size())));
        return;
    }
    const settings::PageLayoutFormat f = shownFormat();
    applyFormatToPrinter(f, *m_measure);
    const print::PageMetrics page = QtPrintDevice::metricsOf(*m_measure);
    if (page.dpiX <= 0 || page.dpiY <= 0 || page.physicalHeight <= 0) {
        m_lineCount = -1;
        m_count->setText(QString::fromUtf8(strings::kNoPrinterContext.data(), qsizetype(strings::kNoPrinterContext.size())));
        return;
    }
    const QFontMetrics fm(resolvePrintFont(f.printFont, f.printFontSize, page.dpiY), m_measure.get());
    print::FontMetrics body;
    body.height = fm.height();
    body.externalLeading = std::max(0, fm.leading());
    body.ascent = fm.ascent();
    body.cellWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    m_lineCount = print::bodyLinesPerPage(f, page, body);
    m_count->setText(u8(printtexts::kLineCount).arg(m_lineCount));
}

void PageLayoutDialog::showFontTexts() {
    for (size_t i = 0; i < 3; ++i) {
        QString face = toQString(m_fonts[i].faceName);
        if (face.startsWith(QLatin1Char('@'))) face.remove(0, 1);
        const double points = m_fontSizes[i] >= 1 ? m_fontSizes[i] / 10.0
                              : m_fonts[i].height != 0 ? std::abs(m_fonts[i].height) * 72.0 / 96.0
                                                       : 10.0;
        m_fontButtons[i]->setText(QStringLiteral("%1 %2pt").arg(face).arg(points, 0, 'f', 1));
    }
}

void PageLayoutDialog::chooseFont(int which) {
    settings::LogFont& stored = m_fonts[size_t(which)];
    QFont initial = resolvePrintFont(stored, m_fontSizes[size_t(which)], 96);
    initial.setPointSizeF(m_fontSizes[size_t(which)] >= 1 ? m_fontSizes[size_t(which)] / 10.0 : 10.0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (!ok) return;
    const bool vertical = which == 0 && m_vertical->isChecked();
    stored.faceName = fromQString(chosen.family());
    if (vertical) stored.faceName.insert(0, "@");
    stored.weight = chosen.bold() ? 700 : 400;
    stored.italic = chosen.italic() ? 1 : 0;
    stored.underline = chosen.underline() ? 1 : 0;
    stored.height = -std::max(1, int(std::lround(chosen.pointSizeF() * 96.0 / 72.0)));
    m_fontSizes[size_t(which)] = std::max(1, int(std::lround(chosen.pointSizeF() * 10.0)));
    showFontTexts();
    if (which == 0) recount();
}

}  // namespace orvex::qt
