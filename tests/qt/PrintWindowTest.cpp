// Printing in the Qt layer: the page-layout dialog's live line count and
// its switches, and the PDF the command line writes, read back with
// pdftotext to see where header, footer, line numbers and text land.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "common/codepage/Cp932.h"
#include "qt/print/PageLayoutDialog.h"
#include "settings/Settings.h"

namespace orvex::qt {
namespace {


class PageLayoutDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter printer{QPrinter::HighResolution};
    PageLayoutDialog::Formats formats{};
    settings::PrintOptions options{};
};

TEST_F(PageLayoutDialogTest, LineCountFollowsMarginsSpacingAndOrientation) {
    PageLayoutDialog dialog(formats, options, printer, false);
    const int initial = dialog.lineCount();
    ASSERT_GT(initial, 10);
    EXPECT_EQ(dialog.lineCountText(), QString::fromUtf8("（行数 %1行）").arg(initial));

    dialog.topMargin()->setValue(99);
    const int smallerBody = dialog.lineCount();
    EXPECT_LT(smallerBody, initial);

    dialog.lineSpacing()->setValue(999);
    EXPECT_LT(dialog.lineCount(), smallerBody);
    EXPECT_GE(dialog.lineCount(), 0);

    dialog.lineSpacing()->setValue(0);
    dialog.topMargin()->setValue(20);
    EXPECT_EQ(dialog.lineCount(), initial);
    dialog.orientation()->setCurrentIndex(1);  // landscape: a shorter page
    EXPECT_LT(dialog.lineCount(), initial);
}

TEST_F(PageLayoutDialogTest, MarginsLargerThanThePaperShowZeroLines) {
    formats[0].tMrgn = 99;
    formats[0].bMrgn = 99;
    formats[0].orientation = 1;  // 210 mm high: 198 mm of margins leave 12 mm
    formats[0].printFontSize = 720;  // a 72-point body font
    PageLayoutDialog dialog(formats, options, printer, false);
    EXPECT_EQ(dialog.lineCount(), 0);
    EXPECT_EQ(dialog.lineCountText(), QString::fromUtf8("（行数 0行）"));
}

TEST_F(PageLayoutDialogTest, OnePagePrintingLocksTwoSidedOff) {
    formats[0].prnSkip = 1;
    PageLayoutDialog dialog(formats, options, printer, false);
    EXPECT_TRUE(dialog.twoSided()->isChecked());
    dialog.onePage()->setChecked(true);
    EXPECT_FALSE(dialog.twoSided()->isChecked());
    EXPECT_FALSE(dialog.twoSided()->isEnabled());
    dialog.onePage()->setChecked(false);
    EXPECT_TRUE(dialog.twoSided()->isEnabled());
}

TEST_F(PageLayoutDialogTest, OpenedByPrintDisablesPreviewAndPrint) {
    PageLayoutDialog fromPrint(formats, options, printer, true);
    EXPECT_FALSE(fromPrint.previewButton()->isEnabled());
    EXPECT_FALSE(fromPrint.printButton()->isEnabled());
    PageLayoutDialog fromMenu(formats, options, printer, false);
    EXPECT_TRUE(fromMenu.previewButton()->isEnabled());
}

TEST_F(PageLayoutDialogTest, SwitchingFormatsKeepsTheShownValuesAndOkWritesThemBack) {
    formats[1].printTT = "wide";
    PageLayoutDialog dialog(formats, options, printer, false);
    EXPECT_EQ(dialog.formatList()->itemText(0), QString::fromUtf8("書式1"));
    EXPECT_EQ(dialog.formatList()->itemText(1), QStringLiteral("wide"));
    dialog.topMargin()->setValue(42);
    dialog.formatList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.topMargin()->value(), 20);
    dialog.topMargin()->setValue(7);
    dialog.formatList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.topMargin()->value(), 42);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.formats()[0].tMrgn, 42);
    EXPECT_EQ(dialog.formats()[1].tMrgn, 7);
    EXPECT_EQ(dialog.options().printForm, 0);
}

// ---- The PDF of the command line

struct PdfRun {
    int status = -1;
    QString errors;
    QString text;  // pdftotext -layout
};

class PrintPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        QDir(dir.path()).mkpath(QStringLiteral("config/Pelmar/Orvex"));
        QDir(dir.path()).mkpath(QStringLiteral("data"));
    }
    settings::SettingsEnvironment environment() const {
        settings::SettingsEnvironment env;
        env.settingsFile = (dir.path() + QStringLiteral("/config/Pelmar/Orvex/settings.ini")).toStdString();
        env.dataFolder = (dir.path() + QStringLiteral("/data/Orvex")).toStdString();
        env.tempFolder = dir.path().toStdString();
        env.homeFolder = dir.path().toStdString();
        return env;
    }
    void storeFormat(const settings::PageLayoutFormat& format) {
        settings::Settings s(environment());
        s.loadAll(false);
        s.pageLayouts[0] = format;
        ASSERT_TRUE(s.saveAll(false, true));
    }
    QString writeDocument(const QString& name, const std::string& utf8) {
        const QString path = dir.path() + QLatin1Char('/') + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string sjis = cp932::fromUtf8(utf8);
        f.write(sjis.data(), qint64(sjis.size()));
        return path;
    }
    PdfRun run(const QStringList& args) {
        PdfRun r;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(ORVEX_PROGRAM), QStringList{QStringLiteral("--print-pdf")} + args);
        if (!p.waitForFinished(120000)) return r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        const QString pdf = args.front();
        if (r.status == 0) {
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
            text.waitForFinished(60000);
            r.text = QString::fromUtf8(text.readAllStandardOutput());
        }
        return r;
    }
    QTemporaryDir dir;
};

// Lines of one page of pdftotext's output, without the empty ones.
QStringList pageLines(const QString& text, int page) {
    const QStringList pages = text.split(QLatin1Char('\f'));
    if (page >= pages.size()) return {};
    QStringList lines;
    for (const QString& l : pages[page].split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty()) lines << l;
    return lines;
}

TEST_F(PrintPdfTest, HeaderFooterLineNumbersAndJapaneseTextLandWhereTheFormatPutsThem) {
    settings::PageLayoutFormat f;
    f.header = "&F";
    f.headerPos = 1;
    f.footer = "- &p / &P -";
    f.footerPos = 2;
    f.printLineNo = 1;
    storeFormat(f);
    std::string doc;
    for (int i = 1; i <= 80; ++i) doc += "日本語の行" + std::to_string(i) + " text\r\n";
    const QString file = writeDocument(QStringLiteral("memo.txt"), doc);
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");

    const PdfRun r = run({pdf, QStringLiteral("--layout"), QStringLiteral("1"), file});
    ASSERT_EQ(r.status, 0) << r.errors.toStdString();
    const QStringList first = pageLines(r.text, 0);
    const QStringList second = pageLines(r.text, 1);
    ASSERT_GE(first.size(), 10);
    ASSERT_GE(second.size(), 3);
    EXPECT_TRUE(pageLines(r.text, 2).isEmpty() || pageLines(r.text, 2).join(QString()).trimmed().isEmpty());

    // Header first, at the left edge of the body.
    EXPECT_EQ(first.front().trimmed(), QStringLiteral("memo.txt"));
    // Body rows: the line number, then the text, in order.
    EXPECT_TRUE(first[1].contains(QRegularExpression(QStringLiteral("^\\s*1\\s+日本語の行1 text$"))))
        << first[1].toStdString();
    EXPECT_TRUE(first[2].contains(QRegularExpression(QStringLiteral("^\\s*2\\s+日本語の行2 text$"))));
    // The footer last, centred: it starts well right of the header.
    EXPECT_EQ(first.back().trimmed(), QStringLiteral("- 1 / 2 -"));
    const int footerColumn = int(first.back().indexOf(QLatin1Char('-')));
    const int headerColumn = int(first.front().indexOf(QLatin1Char('m')));
    EXPECT_GT(footerColumn, headerColumn + 10);
    // The second page continues the numbering.
    const QString lastBody = first[first.size() - 2];
    const int lastOnFirst = QRegularExpression(QStringLiteral("^\\s*(\\d+)")).match(lastBody).captured(1).toInt();
    ASSERT_GT(lastOnFirst, 30);
    EXPECT_TRUE(second[1].contains(QRegularExpression(QStringLiteral("^\\s*%1\\s+日本語の行%1 text$").arg(lastOnFirst + 1))))
        << second[1].toStdString();
    EXPECT_EQ(second.back().trimmed(), QStringLiteral("- 2 / 2 -"));
}

TEST_F(PrintPdfTest, TwoColumnsPutTheLaterLinesBesideTheEarlierOnesInAFallbackFace) {
    settings::PageLayoutFormat f;
    f.dangumi1 = 1;
    f.printFont.faceName = "No Such Face Anywhere";  // falls back to an installed Japanese face
    f.headerPos = 0;
    f.footerPos = 0;
    storeFormat(f);
    std::string doc;
    for (int i = 1; i <= 100; ++i) doc += "行" + std::to_string(i) + "\r\n";
    const QString pdf = dir.path() + QStringLiteral("/cols.pdf");
    const PdfRun r = run({pdf, QStringLiteral("--layout"), QStringLiteral("1"), writeDocument(QStringLiteral("c.txt"), doc)});
    ASSERT_EQ(r.status, 0) << r.errors.toStdString();
    const QStringList first = pageLines(r.text, 0);
    ASSERT_FALSE(first.isEmpty());
    // The first row holds line 1 in the left column and a later line in the right.
    EXPECT_TRUE(first[0].contains(QRegularExpression(QStringLiteral("^\\s*行1\\s+行\\d\\d"))))
        << first[0].toStdString();
}

TEST_F(PrintPdfTest, MissingFileFailsWithAMessage) {
    const PdfRun r = run({dir.path() + QStringLiteral("/x.pdf"), dir.path() + QStringLiteral("/missing.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("missing.txt")));
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/x.pdf")));
}

TEST_F(PrintPdfTest, EmptyDocumentGivesOnePage) {
    storeFormat(settings::PageLayoutFormat{});
    const QString pdf = dir.path() + QStringLiteral("/empty.pdf");
    const PdfRun r = run({pdf, writeDocument(QStringLiteral("empty.txt"), "")});
    ASSERT_EQ(r.status, 0) << r.errors.toStdString();
    EXPECT_LE(r.text.count(QLatin1Char('\f')), 1);
}

}  // namespace
}  // namespace orvex::qt
