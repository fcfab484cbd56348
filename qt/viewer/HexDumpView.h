#pragma once
// The dump of a file of any size: lines are made from the file's bytes as
// they scroll into sight, never all at once, so a large file opens at once.
// A selection is made with the mouse (or Shift with the arrow keys) over
// the dump's text, which "ｺﾋﾟｰ" copies.
#include <QAbstractScrollArea>
#include <string>

#include "orxview/HexDump.h"

namespace orvex::qt {

class HexDumpView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The bytes are kept by reference and must outlive the view.
    HexDumpView(std::string_view bytes, QWidget* parent = nullptr);

    // The dump's text between two places, as Unicode with LF line ends.
    QString selectedText() const;
    QString wholeText() const;
    bool hasSelection() const { return m_anchor != m_caret; }
    void selectAll();
    void moveToStart();
    size_t lineCount() const { return m_dump.lineCount(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Metrics and scroll ranges follow the font, not every paint.
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // A place in the dump: a line and a byte of its text (CR LF excluded).
    struct Place {
        size_t line = 0;
        size_t column = 0;
        friend bool operator==(const Place&, const Place&) = default;
        friend bool operator<(const Place& a, const Place& b) {
            return a.line < b.line || (a.line == b.line && a.column < b.column);
        }
    };
    Place placeAt(const QPoint& p) const;
    QString textBetween(Place from, Place to) const;
    void updateScrollBars();
    std::string lineText(size_t i) const;  // without CR LF

    viewer::HexDump m_dump;
    int m_charWidth = 8;
    int m_lineHeight = 16;
    Place m_anchor, m_caret;
};

}  // namespace orvex::qt
