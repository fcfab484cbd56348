#include "qt/dialogs/TextStoresWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "qt/platform/QtText.h"
#include "shell/EditorSession.h"
#include "shell/FrameStores.h"
#include "shell/TextStoreCommands.h"

namespace orvex::qt {

namespace {

// One row of the list: the entry on one line, line ends shown as "↵".
QString rowText(const std::string& sjis) {
    QString t = toQString(sjis);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("↵")).replace(QLatin1Char('\n'), QStringLiteral("↵"));
    t.replace(QLatin1Char('\r'), QStringLiteral("↵")).replace(QLatin1Char('\f'), QStringLiteral("↡"));
    return t.left(200);
}

}  // namespace

TextStoresWindow::TextStoresWindow(shell::EditorSession& session, QWidget* parent) : QDialog(parent), m_session(session) {
    setWindowTitle(QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴 & ｽｸﾗｯﾌﾟﾌﾞｯｸ"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_tabs = new QTabBar;
    m_tabs->addTab(QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴"));
    m_tabs->addTab(QString::fromUtf8("ｽｸﾗｯﾌﾟﾌﾞｯｸ"));
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    struct Button {
        const char* name;
        const char* text;
        void (TextStoresWindow::*action)();
    };
    static const Button kButtons[] = {
        {"insert", "ｶｰｿﾙ位置に挿入(&I)", &TextStoresWindow::insertSelected},
        {"clipboard", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&B)", &TextStoresWindow::copySelected},
        {"scrap", "ｽｸﾗｯﾌﾟにｺﾋﾟｰ(&S)", &TextStoresWindow::copyToScrap},
        {"edit", "編集(&E)", &TextStoresWindow::editSelected},
        {"delete", "削除(&D)", &TextStoresWindow::removeSelected},
        {"deleteAll", "全削除(&R)", &TextStoresWindow::removeAll},
    };
    auto* side = new QVBoxLayout;
    for (const Button& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text));
        button->setObjectName(QString::fromLatin1(b.name));
        connect(button, &QPushButton::clicked, this, [this, action = b.action] { (this->*action)(); });
        side->addWidget(button);
    }
    auto* close = new QPushButton(QString::fromUtf8("閉じる(&C)"));
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* help = new QPushButton(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QPushButton::clicked, this, [this] {
        QMessageBox::information(
            this, windowTitle(),
            QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ履歴: 「履歴開始」がｵﾝの間にｸﾘｯﾌﾟﾎﾞｰﾄﾞへ入った文字列 (最新の20個)。\n"
                              "ｽｸﾗｯﾌﾟﾌﾞｯｸ: 「ｽｸﾗｯﾌﾟにｺﾋﾟｰ」で残した文字列 (最新の50個、終了後も残ります)。\n"
                              "選んだ項目をｶｰｿﾙ位置に挿入し、ｸﾘｯﾌﾟﾎﾞｰﾄﾞやｽｸﾗｯﾌﾟにｺﾋﾟｰし、編集や削除ができます。"));
    });
    side->addStretch();
    side->addWidget(close);
    side->addWidget(help);

    const settings::FrameOptions& f = m_session.settings().frame;
    m_deleteAfter = new QCheckBox(QString::fromUtf8("実行後削除(&A)"));
    m_deleteAfter->setChecked(f.clipDel != 0);
    m_closeAfter = new QCheckBox(QString::fromUtf8("実行後閉じる(&F)"));
    m_closeAfter->setChecked(f.clipClose != 0);
    m_history = new QCheckBox(QString::fromUtf8("履歴開始(&X)"));
    m_history->setChecked(f.clipHistory != 0);
    connect(m_deleteAfter, &QCheckBox::toggled, this, [this](bool on) { m_session.settings().frame.clipDel = on; });
    connect(m_closeAfter, &QCheckBox::toggled, this, [this](bool on) { m_session.settings().frame.clipClose = on; });
    connect(m_history, &QCheckBox::toggled, this, [this](bool on) { m_session.settings().frame.clipHistory = on; });
    auto* options = new QHBoxLayout;
    options->addWidget(m_deleteAfter);
    options->addWidget(m_closeAfter);
    options->addWidget(m_history);
    options->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(m_tabs);
    left->addWidget(m_list, 1);
    left->addLayout(options);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(side);
    resize(560, 360);

    connect(m_tabs, &QTabBar::currentChanged, this, [this] { refresh(); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { insertSelected(); });
    askEdit = [this](QString& text) {
        bool ok = false;
        const QString t = QInputDialog::getMultiLineText(this, QString::fromUtf8("編集"), QString(), text, &ok);
        if (ok) text = t;
        return ok;
    };
    refresh();
}

QPushButton* TextStoresWindow::button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

bool TextStoresWindow::scrapTab() const { return m_tabs->currentIndex() == 1; }

const std::vector<std::string>& TextStoresWindow::entries() const {
    return scrapTab() ? m_session.scrapBook().entries() : m_session.clipboardHistory().entries();
}

void TextStoresWindow::showTab(bool scrapBook) {
    m_tabs->setCurrentIndex(scrapBook ? 1 : 0);
    refresh();
}

void TextStoresWindow::refresh() {
    const int row = m_list->currentRow();
    m_list->clear();
    const std::vector<std::string>& e = entries();
    for (auto it = e.rbegin(); it != e.rend(); ++it) m_list->addItem(rowText(*it));
    if (m_list->count() > 0) m_list->setCurrentRow(std::clamp(row, 0, m_list->count() - 1));
    // Copying to the scrap book is for history entries.
    if (QPushButton* b = button("scrap")) b->setEnabled(!scrapTab());
}

int TextStoresWindow::selectedEntry() const {
    const int row = m_list->currentRow();
    const int n = int(entries().size());
    if (row < 0 || row >= n) return -1;
    return n - 1 - row;
}

void TextStoresWindow::used(int entry) {
    if (m_deleteAfter->isChecked()) {
        if (scrapTab()) m_session.scrapBook().remove(size_t(entry));
        else m_session.clipboardHistory().remove(size_t(entry));
    }
    refresh();
    if (m_closeAfter->isChecked()) close();
}

void TextStoresWindow::insertSelected() {
    const int i = selectedEntry();
    if (i < 0) return;
    const std::string text = entries()[size_t(i)];
    if (!m_session.textStores().insertIntoActiveView(text)) return;
    used(i);
}

void TextStoresWindow::copySelected() {
    const int i = selectedEntry();
    if (i < 0 || !m_session.platform().clipboard) return;
    const std::string text = entries()[size_t(i)];
    m_session.platform().clipboard->setText(text);
    used(i);
}

void TextStoresWindow::copyToScrap() {
    const int i = selectedEntry();
    if (i < 0 || scrapTab()) return;
    m_session.scrapBook().add(entries()[size_t(i)]);
    used(i);
}

void TextStoresWindow::editSelected() {
    const int i = selectedEntry();
    if (i < 0 || !askEdit) return;
    QString text = toQString(entries()[size_t(i)]).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!askEdit(text)) return;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const std::string sjis = fromQString(text);
    if (scrapTab()) m_session.scrapBook().replace(size_t(i), sjis);
    else m_session.clipboardHistory().replace(size_t(i), sjis);
    refresh();
}

void TextStoresWindow::removeSelected() {
    const int i = selectedEntry();
    if (i < 0) return;
    if (scrapTab()) m_session.scrapBook().remove(size_t(i));
    else m_session.clipboardHistory().remove(size_t(i));
    refresh();
}

void TextStoresWindow::removeAll() {
    if (scrapTab()) m_session.scrapBook().clear();
    else m_session.clipboardHistory().clear();
    refresh();
}

}  // namespace orvex::qt
