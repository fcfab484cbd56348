#include "qt/macro/MacroDebuggerWindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "common/codepage/Cp932.h"
#include "orxmac/MacroError.h"
#include "orxmac/bridge/DefaultAnswerHost.h"
#include "qt/macro/MacroDialogTexts.h"

namespace orvex::qt {

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QString fromSjis(std::string_view sjis) {
    const std::string utf8 = cp932::toUtf8(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// One line per line of the program, whatever its line ends (the lines are
// counted the same way when a step names an offset).
QString programText(std::string_view sjis) {
    QString s = fromSjis(sjis);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

}  // namespace

MacroDebuggerWindow::MacroDebuggerWindow(std::shared_ptr<orxmac::CMacExe> exe, QWidget* parent)
    : QDialog(parent), m_exe(std::move(exe)) {
    setWindowTitle(text(macrotexts::kDebuggerCaption));
    auto* layout = new QGridLayout(this);

    m_program = new QPlainTextEdit(this);
    m_program->setReadOnly(true);
    m_program->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_program->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_program->setPlainText(programText(m_exe->source().text()));
    m_program->setMinimumSize(420, 260);
    auto* programLabel = new QLabel(text(macrotexts::kProgram), this);
    programLabel->setBuddy(m_program);
    layout->addWidget(programLabel, 0, 0);
    layout->addWidget(m_program, 1, 0, 1, 2);

    m_globals = new QListWidget(this);
    m_locals = new QListWidget(this);
    layout->addWidget(new QLabel(text(macrotexts::kGlobals), this), 2, 0);
    layout->addWidget(new QLabel(text(macrotexts::kLocals), this), 2, 1);
    layout->addWidget(m_globals, 3, 0);
    layout->addWidget(m_locals, 3, 1);

    m_error = new QPlainTextEdit(this);
    m_error->setReadOnly(true);
    m_error->setMaximumHeight(m_error->fontMetrics().lineSpacing() * 3 + 12);
    layout->addWidget(new QLabel(text(macrotexts::kErrorStatus), this), 4, 0);
    layout->addWidget(m_error, 5, 0, 1, 2);

    auto* tabRow = new QHBoxLayout;
    m_tabs = new QComboBox(this);
    m_tabs->addItems({QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
    m_tabs->setCurrentIndex(1);
    auto* tabLabel = new QLabel(text(macrotexts::kTabStop), this);
    tabLabel->setBuddy(m_tabs);
    tabRow->addWidget(tabLabel);
    tabRow->addWidget(m_tabs);
    tabRow->addStretch();
    layout->addLayout(tabRow, 6, 0, 1, 2);
    connect(m_tabs, &QComboBox::currentIndexChanged, this, [this] { applyTabStop(); });

    auto* buttons = new QVBoxLayout;
    const char* labels[6] = {macrotexts::kClose, macrotexts::kStart, macrotexts::kStep,
                             macrotexts::kStop,  macrotexts::kReset, macrotexts::kHelp};
    for (int i = 0; i < 6; ++i) {
        m_buttons[i] = new QPushButton(text(labels[i]), this);
        m_buttons[i]->setAutoDefault(false);
        buttons->addWidget(m_buttons[i]);
    }
    buttons->addStretch();
    m_buttons[0]->setDefault(true);
    layout->addLayout(buttons, 0, 2, 7, 1);
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { reject(); });
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { start(); });
    connect(m_buttons[2], &QPushButton::clicked, this, [this] { step(); });
    connect(m_buttons[3], &QPushButton::clicked, this, [this] { pause(); });
    connect(m_buttons[4], &QPushButton::clicked, this, [this] { reset(); });
    connect(m_buttons[5], &QPushButton::clicked, this, [this] {
        QMessageBox::information(this, text(macrotexts::kDebuggerCaption), text(macrotexts::kDebuggerHelp));
    });

    applyTabStop();
    m_handle = win::registerWindow(this);
    m_exe->setNotificationWindow(m_handle);
}

MacroDebuggerWindow::~MacroDebuggerWindow() {
    closeAndWait();
    win::unregisterWindow(m_handle);
}

QPushButton* MacroDebuggerWindow::button(int id) const {
    switch (id) {
    case kClose: return m_buttons[0];
    case kStart: return m_buttons[1];
    case kStep: return m_buttons[2];
    case kStop: return m_buttons[3];
    case kReset: return m_buttons[4];
    case kHelp: return m_buttons[5];
    default: return nullptr;
    }
}

bool MacroDebuggerWindow::begin() { return m_exe->start(true); }

int MacroDebuggerWindow::run() {
    if (!begin()) return QDialog::Rejected;
    return exec();
}

void MacroDebuggerWindow::start() {
    m_atStep = false;
    m_exe->setStepMode(0);
    m_exe->setStopFlag(orxmac::kRunning);
    m_exe->resume();
}

void MacroDebuggerWindow::step() {
    m_atStep = false;
    m_exe->setStepMode(1);
    m_exe->setStopFlag(orxmac::kRunning);
    m_exe->resume();
}

void MacroDebuggerWindow::pause() { m_exe->setStepMode(1); }

void MacroDebuggerWindow::reset() {
    m_atStep = false;
    m_exe->setStopFlag(orxmac::kRestartRequested);
    QTextCursor c = m_program->textCursor();
    c.movePosition(QTextCursor::Start);
    m_program->setTextCursor(c);
    m_globals->clear();
    m_locals->clear();
    m_error->clear();
}

void MacroDebuggerWindow::closeAndWait() {
    if (m_exe->stopFlag() != orxmac::kStopRequested) m_exe->requestStop();
    m_exe->resume();
    m_exe->waitPumping(-1);
}

void MacroDebuggerWindow::reject() {
    closeAndWait();
    QDialog::reject();
}

int MacroDebuggerWindow::selectedLine() const { return m_program->textCursor().blockNumber(); }

void MacroDebuggerWindow::selectLineAt(uint32_t offset) {
    const int line = static_cast<int>(orxmac::lineNumberAt(m_exe->source().text(), offset)) - 1;
    const QTextBlock block = m_program->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    // Selected from the line's end back to its start, so its start shows.
    QTextCursor c(block);
    c.movePosition(QTextCursor::EndOfBlock);
    c.setPosition(block.position(), QTextCursor::KeepAnchor);
    m_program->setTextCursor(c);
    m_program->ensureCursorVisible();
}

void MacroDebuggerWindow::applyTabStop() {
    const int characters = 2 << m_tabs->currentIndex();
    m_program->setTabStopDistance(characters * m_program->fontMetrics().averageCharWidth());
}

win::LResult MacroDebuggerWindow::onMessage(uint32_t msg, win::WParam wParam, win::LParam lParam) {
    switch (msg) {
    case orxmac::kMsgStep:
        selectLineAt(static_cast<uint32_t>(lParam));
        m_exe->holdAtStep();
        m_atStep = true;
        break;
    case orxmac::kMsgVariables: {
        QListWidget* list = wParam == 0 ? m_globals : m_locals;
        if (lParam == 0)
            list->clear();
        else
            list->addItem(fromSjis(reinterpret_cast<const char*>(lParam)));
        break;
    }
    case orxmac::kMsgResult: {
        const int result = static_cast<int>(static_cast<intptr_t>(wParam));
        // A stopped run (reset, close) reports nothing.
        if (result == orxmac::kStopped) break;
        selectLineAt(static_cast<uint32_t>(lParam));
        QString shown = QString::fromUtf8(orxmac::debugResultText(result).c_str());
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_error->setPlainText(shown);
        break;
    }
    default: break;
    }
    return 0;
}

}  // namespace orvex::qt
