#include "qt/viewer/HexDumpView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "common/codepage/SjisWalk.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

HexDumpView::HexDumpView(std::string_view bytes, QWidget* parent) : QAbstractScrollArea(parent), m_dump(bytes) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    updateScrollBars();
}

std::string HexDumpView::lineText(size_t i) const {
    std::string line = m_dump.line(i);
    if (line.size() >= 2) line.resize(line.size() - 2);
    return line;
}

void HexDumpView::updateScrollBars() {
    const QFontMetrics fm(font());
    m_charWidth = std::max(1, fm.horizontalAdvance(QLatin1Char('0')));
    m_lineHeight = std::max(1, fm.height());
    const int rows = std::max(1, viewport()->height() / m_lineHeight);
    const qint64 lines = qint64(m_dump.lineCount());
    verticalScrollBar()->setRange(0, int(std::clamp<qint64>(lines - rows, 0, INT32_MAX)));
    verticalScrollBar()->setPageStep(rows);
    const int width = (9 + 48 + 18) * m_charWidth;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void HexDumpView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void HexDumpView::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) updateScrollBars();
}

void HexDumpView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    p.setFont(font());
    const size_t first = size_t(verticalScrollBar()->value());
    const int rows = viewport()->height() / m_lineHeight + 1;
    const int x0 = -horizontalScrollBar()->value();
    const QFontMetrics fm(font());
    const Place from = std::min(m_anchor, m_caret), to = std::max(m_anchor, m_caret);
    for (int r = 0; r < rows && first + size_t(r) < m_dump.lineCount(); ++r) {
        const size_t line = first + size_t(r);
        const std::string text = lineText(line);
        const int y = r * m_lineHeight;
        // The selected part of the line, by byte columns.
        if (hasSelection() && !(line < from.line) && !(to.line < line)) {
            const size_t a = line == from.line ? from.column : 0;
            const size_t b = line == to.line ? to.column : text.size() + 1;
            if (b > a)
                p.fillRect(x0 + int(a) * m_charWidth, y, int(b - a) * m_charWidth, m_lineHeight, palette().highlight());
        }
        p.setPen(palette().text().color());
        // Offset and bytes are ASCII, one column a byte; the character
        // column is drawn cell by cell so that columns stay in step.
        const std::string head = text.substr(0, std::min<size_t>(text.size(), 57));
        p.drawText(x0, y + fm.ascent(), QString::fromLatin1(head.data(), int(head.size())));
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        for (size_t i = 57; i < text.size();) {
            const int len = sjis::pairStepWithin(bytes + i, ptrdiff_t(text.size() - i));
            p.drawText(x0 + int(i) * m_charWidth, y + fm.ascent(), toQString(std::string_view(text).substr(i, size_t(len))));
            i += size_t(len);
        }
    }
}

HexDumpView::Place HexDumpView::placeAt(const QPoint& pt) const {
    Place pl;
    if (m_dump.lineCount() == 0) return pl;
    const qint64 line = qint64(verticalScrollBar()->value()) + std::max(0, pt.y()) / m_lineHeight;
    pl.line = size_t(std::clamp<qint64>(line, 0, qint64(m_dump.lineCount()) - 1));
    const int x = pt.x() + horizontalScrollBar()->value();
    const size_t width = lineText(pl.line).size();
    pl.column = std::min(width, size_t(std::max(0, (x + m_charWidth / 2) / m_charWidth)));
    return pl;
}

void HexDumpView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    m_caret = placeAt(e->position().toPoint());
    if (!(e->modifiers() & Qt::ShiftModifier)) m_anchor = m_caret;
    viewport()->update();
}

void HexDumpView::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) return;
    m_caret = placeAt(e->position().toPoint());
    viewport()->update();
}

void HexDumpView::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Copy)) {
        if (hasSelection()) QGuiApplication::clipboard()->setText(selectedText());
        return;
    }
    if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}

QString HexDumpView::textBetween(Place from, Place to) const {
    std::string out;
    for (size_t line = from.line; line <= to.line && line < m_dump.lineCount(); ++line) {
        const std::string text = lineText(line);
        const size_t a = line == from.line ? std::min(from.column, text.size()) : 0;
        const size_t b = line == to.line ? std::min(to.column, text.size()) : text.size();
        if (b > a) out.append(text, a, b - a);
        if (line < to.line) out.push_back('\n');
    }
    return toQString(out);
}

QString HexDumpView::selectedText() const {
    return textBetween(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret));
}

QString HexDumpView::wholeText() const {
    // The dump as the file shows it, LF line ends for other programs.
    std::string text = m_dump.text();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out.push_back(text[i]);
    return toQString(out);
}

void HexDumpView::selectAll() {
    m_anchor = {};
    if (m_dump.lineCount() > 0) m_caret = {m_dump.lineCount() - 1, lineText(m_dump.lineCount() - 1).size()};
    viewport()->update();
}

void HexDumpView::moveToStart() {
    m_anchor = m_caret = {};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

}  // namespace orvex::qt
