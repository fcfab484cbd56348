#include "qt/viewer/ViewerDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <fstream>
#include <thread>

#include "orxview/ChunkHandOver.h"
#include "orxview/RichTextReader.h"
#include "orxview/ViewerFileKind.h"
#include "qt/viewer/HexDumpView.h"

namespace orvex::qt {

namespace {

// The viewer's face for both controls, or the fixed-pitch Japanese face
// the editor uses where it is not installed; 10 points.
QFont viewerFont() {
    QString face = QString::fromUtf8("ＭＳ ゴシック");
    if (!QFontDatabase::hasFamily(face))
        face = QFontDatabase::hasFamily(QStringLiteral("Noto Sans Mono CJK JP")) ? QStringLiteral("Noto Sans Mono CJK JP")
                                                                               : QStringLiteral("monospace");
    QFont f(face, 10);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

// The whole file, or nothing when it cannot be read (the window then shows
// nothing and can be closed).
std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    if (size <= 0) return {};
    std::string bytes(size_t(size), '\0');
    in.seekg(0);
    in.read(bytes.data(), size);
    bytes.resize(size_t(std::max<std::streamsize>(0, in.gcount())));
    return bytes;
}

}  // namespace

ViewerDialog::ViewerDialog(const std::string& path, bool forceDump, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromStdString(viewer::viewerTitle(path)));
    setObjectName(QString::fromUtf8(kTitle));
    resize(720, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);

    m_bytes = readWhole(path);
    viewer::FileKind kind = viewer::fileKindOf(std::string_view(m_bytes).substr(0, 16), path, forceDump);
    if (kind == viewer::FileKind::Word || kind == viewer::FileKind::Write) {
        QMessageBox::information(parent, windowTitle(), QString::fromStdString(viewer::missingConverterMessage(kind)));
        kind = viewer::FileKind::HexDump;
    }
    if (kind == viewer::FileKind::RichText) {
        showRichText();
    } else {
        showDump();
    }

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(20, 0, 20, 0);
    buttons->setSpacing(20);
    auto* close = new QPushButton(QString::fromUtf8("閉じる"));
    auto* copy = new QPushButton(QString::fromUtf8("ｺﾋﾟｰ"));
    auto* copyAll = new QPushButton(QString::fromUtf8("全ｺﾋﾟｰ"));
    close->setObjectName(QStringLiteral("close"));
    copy->setObjectName(QStringLiteral("copy"));
    copyAll->setObjectName(QStringLiteral("copyAll"));
    close->setDefault(true);
    buttons->addWidget(close);
    buttons->addWidget(copy);
    buttons->addWidget(copyAll);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(copy, &QPushButton::clicked, this, &ViewerDialog::copySelection);
    connect(copyAll, &QPushButton::clicked, this, &ViewerDialog::copyAll);
}

ViewerDialog::~ViewerDialog() = default;

void ViewerDialog::showDump() {
    m_dump = new HexDumpView(m_bytes, this);
    m_dump->setObjectName(QStringLiteral("dump"));
    m_dump->setFont(viewerFont());
    static_cast<QVBoxLayout*>(this->layout())->addWidget(m_dump, 1);
}

void ViewerDialog::showRichText() {
    // The producer streams the file in chunks, as a document converter
    // would stream its rich text; the window reads it into the reader.
    viewer::ChunkHandOver handOver;
    std::thread producer([&handOver, bytes = std::string_view(m_bytes)] {
        bool ok = true;
        for (size_t at = 0; at < bytes.size() && ok; at += viewer::ChunkHandOver::kBufferBytes)
            ok = handOver.put(bytes.data() + at, std::min(bytes.size() - at, viewer::ChunkHandOver::kBufferBytes));
        handOver.finish(!ok);
    });
    viewer::RichTextReader reader;
    char buf[viewer::ChunkHandOver::kBufferBytes];
    for (;;) {
        const size_t n = handOver.read(buf, sizeof buf, [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
        reader.feed(std::string_view(buf, n));
        if (n < sizeof buf) break;
    }
    handOver.abandon();
    producer.join();
    m_rich = new QTextEdit(this);
    m_rich->setReadOnly(true);
    m_rich->setFont(viewerFont());
    static_cast<QVBoxLayout*>(this->layout())->addWidget(m_rich, 1);
    fill(reader.finish());
}

void ViewerDialog::fill(const viewer::RichDocument& doc) {
    QTextCursor c(m_rich->document());
    const QFont base = viewerFont();
    for (size_t i = 0; i < doc.paragraphs.size(); ++i) {
        if (i > 0) c.insertBlock();
        for (const viewer::RichRun& run : doc.paragraphs[i].runs) {
            QTextCharFormat f;
            f.setFont(base);
            f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(run.italic);
            f.setFontUnderline(run.underline);
            f.setFontPointSize(run.halfPoints / 2.0);
            if (run.hasColour) f.setForeground(QColor(QRgb(run.colour)));
            c.insertText(QString::fromStdString(run.text), f);
        }
    }
    m_rich->moveCursor(QTextCursor::Start);
}

QString ViewerDialog::shownText() const {
    if (m_rich) return m_rich->toPlainText();
    return m_dump ? m_dump->wholeText() : QString();
}

void ViewerDialog::copySelection() {
    if (m_rich) {
        m_rich->copy();
    } else if (m_dump && m_dump->hasSelection()) {
        QGuiApplication::clipboard()->setText(m_dump->selectedText());
    }
}

void ViewerDialog::copyAll() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_rich) {
        m_rich->selectAll();
        m_rich->copy();
        m_rich->moveCursor(QTextCursor::Start);
    } else if (m_dump) {
        QGuiApplication::clipboard()->setText(m_dump->wholeText());
        m_dump->moveToStart();
    }
    QApplication::restoreOverrideCursor();
}

}  // namespace orvex::qt
