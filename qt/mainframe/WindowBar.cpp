#include "qt/mainframe/WindowBar.h"

#include <QAction>
#include <QFont>
#include <algorithm>

namespace orvex::qt {

WindowBar::WindowBar(std::function<void(int index)> activate, QWidget* parent)
    : QToolBar(QString::fromUtf8("ｳｨﾝﾄﾞｳﾊﾞｰ"), parent), m_activate(std::move(activate)) {
    setObjectName(QStringLiteral("WindowBar"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

Qt::ToolBarArea WindowBar::areaOf(int windBarPos) {
    switch (windBarPos) {
    case 0: return Qt::TopToolBarArea;
    case 2: return Qt::LeftToolBarArea;
    case 3: return Qt::RightToolBarArea;
    default: return Qt::BottomToolBarArea;
    }
}

QString WindowBar::buttonText(const QString& title, int btnName, int btnSize) {
    QString text = title;
    if (btnName == 0) {
        const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) text = text.mid(slash + 1);
    }
    const int size = btnSize <= 0 ? 20 : std::clamp(btnSize, 4, 64);
    if (text.size() > size) {
        const int keep = size - 1;
        text = text.left(keep - keep / 2) + QStringLiteral("…") + text.right(keep / 2);
    }
    // "&" would become an access key.
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void WindowBar::refresh(const std::vector<Button>& buttons, const settings::FrameOptions& options) {
    if (buttons == m_shown && options.windBarBold == m_bold && options.windBarBtnName == m_name &&
        options.windBarBtnSize == m_size)
        return;
    m_shown = buttons;
    m_bold = options.windBarBold;
    m_name = options.windBarBtnName;
    m_size = options.windBarBtnSize;
    clear();
    const size_t n = std::min<size_t>(buttons.size(), kMaxButtons);
    for (size_t i = 0; i < n; ++i) {
        QAction* a = addAction(buttonText(buttons[i].title, m_name, m_size));
        a->setToolTip(buttons[i].title);
        a->setCheckable(true);
        a->setChecked(buttons[i].active);
        if (m_bold) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
        connect(a, &QAction::triggered, this, [this, i] { m_activate(int(i)); });
    }
}

}  // namespace orvex::qt
