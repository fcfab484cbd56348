#include "qt/dialogs/ChoiceDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

QStyle::StandardPixmap iconOf(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information: return QStyle::SP_MessageBoxInformation;
    case MsgIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
    case MsgIcon::Error: return QStyle::SP_MessageBoxCritical;
    case MsgIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MsgIcon::None: break;
    }
    return QStyle::SP_CustomBase;
}

}  // namespace

ChoiceDialog::ChoiceDialog(const ChoiceRequest& request, QWidget* parent)
    : QDialog(parent), m_cancel(request.cancelButton) {
    setWindowTitle(request.title.empty() ? fromUtf8(strings::text(strings::kAppTitle)) : fromUtf8(request.title));
    auto* top = new QVBoxLayout(this);
    QString text = fromUtf8(request.text);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!text.isEmpty()) {
        auto* row = new QHBoxLayout;
        top->addLayout(row);
        if (const QStyle::StandardPixmap sp = iconOf(request.icon); sp != QStyle::SP_CustomBase) {
            auto* icon = new QLabel;
            const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
            icon->setPixmap(style()->standardIcon(sp, nullptr, this).pixmap(size, size));
            icon->setAlignment(Qt::AlignTop);
            row->addWidget(icon);
        }
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        row->addWidget(label, 1);
    }
    auto* buttons = new QHBoxLayout;
    top->addLayout(buttons);
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        auto* b = new QPushButton(fromUtf8(request.buttons[i]));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        m_buttons.push_back(b);
        const int index = int(i);
        connect(b, &QPushButton::clicked, this, [this, index] {
            m_choice = index;
            accept();
        });
    }
    m_choice = m_cancel;
    if (request.defaultButton >= 0 && size_t(request.defaultButton) < m_buttons.size()) {
        QPushButton* d = m_buttons[size_t(request.defaultButton)];
        d->setDefault(true);
        d->setFocus();
    }
}

void ChoiceDialog::reject() {
    m_choice = m_cancel;
    QDialog::reject();
}

void ChoiceDialog::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if ((mods == Qt::NoModifier || mods == Qt::AltModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        const QChar letter(char16_t(u'A' + (e->key() - Qt::Key_A)));
        for (QPushButton* b : m_buttons) {
            const QString t = b->text();
            const qsizetype amp = t.indexOf(QLatin1Char('&'));
            if (amp >= 0 && amp + 1 < t.size() && t[amp + 1].toUpper() == letter && b->isEnabled()) {
                b->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(e);
}

void ChoiceDialog::keepClearOf(const QRect& area) {
    if (area.isEmpty()) return;
    adjustSize();
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    const QScreen* screen = QApplication::screenAt(area.center());
    if (!screen) screen = QApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(area.topLeft(), size * 4);
    const int gap = area.height();
    int y = area.bottom() + gap;
    if (y + size.height() > avail.bottom()) y = area.top() - gap - size.height();
    y = std::clamp(y, avail.top(), std::max(avail.top(), avail.bottom() - size.height()));
    const int x = std::clamp(area.left() - size.width() / 2, avail.left(),
                             std::max(avail.left(), avail.right() - size.width()));
    move(x, y);
}

}  // namespace orvex::qt
