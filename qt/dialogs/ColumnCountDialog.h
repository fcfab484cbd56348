#pragma once
// The small dialogs that ask for a number of columns: the line length
// (33103, LineMax, 10-2000) and the tab stops (33104, 1-16 columns). Both
// carry "全角文字数(&W)" (NumByWchar): ticked, the number is shown and typed
// in full-width characters, half the columns; ticking or unticking the box
// halves or doubles the number shown. The value is clamped to its range
// on OK. A number the user did not touch keeps its exact column count (an
// odd count is not rounded by showing it in full-width characters).
#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace orvex::qt {

class ColumnCountDialog final : public QDialog {
    Q_OBJECT
public:
    struct Request {
        QString title;
        QString label;
        int columns = 0;
        int minimum = 1;
        int maximum = 1;
        bool fullWidth = false;  // NumByWchar
    };
    ColumnCountDialog(const Request& request, QWidget* parent = nullptr);

    // After OK: the columns (clamped) and the box's state.
    int columns() const;
    bool fullWidth() const;

    QSpinBox* spinBox() const { return m_spin; }
    QCheckBox* fullWidthBox() const { return m_wide; }

private:
    void showColumns(int columns, bool fullWidth);

    Request m_request;
    QSpinBox* m_spin = nullptr;
    QCheckBox* m_wide = nullptr;
    bool m_edited = false;   // the user changed the number
    bool m_updating = false;
};

}  // namespace orvex::qt
