#pragma once
// The window bar: one button per open document window (at most ten, the
// commands 32901-32910), the active one pressed, docked at the side
// WindBarPos names. Buttons are rebuilt only when their texts or the
// active window change.
#include <QString>
#include <QToolBar>
#include <functional>
#include <vector>

#include "settings/FrameOptions.h"

namespace orvex::qt {

class WindowBar final : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kMaxButtons = 10;

    struct Button {
        QString title;  // the window's title
        bool active = false;
        friend bool operator==(const Button&, const Button&) = default;
    };

    // run: runs a window command (32901-32910) when its button is pressed.
    WindowBar(std::function<void(int index)> activate, QWidget* parent = nullptr);

    void refresh(const std::vector<Button>& buttons, const settings::FrameOptions& options);
    // Where the bar docks for WindBarPos (0 top, 1 bottom, 2 left, 3 right).
    static Qt::ToolBarArea areaOf(int windBarPos);
    // A button's text: the file name alone (WindBarBtnName 0) or the whole
    // title (1), shortened in the middle to WindBarBtnSize characters (0: 20;
    // at least 4, at most 64).
    static QString buttonText(const QString& title, int btnName, int btnSize);

private:
    std::function<void(int)> m_activate;
    std::vector<Button> m_shown;
    int m_bold = -1, m_name = -1, m_size = -1;
};

}  // namespace orvex::qt
