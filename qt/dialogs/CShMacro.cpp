#include "qt/dialogs/CShMacro.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/codepage/Cp932.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"
#include "shell/NumberedLabels.h"

namespace orvex::qt {

MacroPage::MacroPage(const std::string& title, const std::string& path, int backgroundRun, QWidget* parent)
    : QWidget(parent) {
    using Close = shell::MacroSheetRequest::Close;
    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    top->addLayout(form);

    // Titles are Shift JIS like every menu title; the path is the file
    // system's bytes, UTF-8 here.
    m_title = new QLineEdit(toQString(title));
    auto* titleLabel = new QLabel(QString::fromUtf8("ﾀｲﾄﾙ(&T)"));
    titleLabel->setBuddy(m_title);
    form->addRow(titleLabel, m_title);

    m_path = new QLineEdit(fromUtf8(path));
    m_path->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    auto* browse = new QPushButton(QString::fromUtf8("参照..."));
    browse->setObjectName(QStringLiteral("browse"));
    connect(browse, &QPushButton::clicked, this, [this] {
        QFileDialog dialog(this, QString(), QFileInfo(m_path->text()).path());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.selectFile(QStringLiteral("*"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            m_path->setText(dialog.selectedFiles().first());
    });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browse);
    auto* pathLabel = new QLabel(QString::fromUtf8("ﾏｸﾛﾌｧｲﾙ(&F)"));
    pathLabel->setBuddy(m_path);
    form->addRow(pathLabel, pathRow);

    // Kept with the slots, never shown or changed.
    m_background = new QCheckBox(QString::fromUtf8("ﾊﾞｯｸｸﾞﾗﾝﾄﾞで実行"));
    m_background->setChecked(backgroundRun != 0);
    m_background->setEnabled(false);
    m_background->setVisible(false);
    top->addWidget(m_background);

    auto* buttons = new QHBoxLayout;
    struct Button {
        const char* text;
        const char* name;
        Close close;
    };
    for (const Button& b : {Button{"実行(&G)", "run", Close::Run}, Button{"ﾃﾞﾊﾞｯｸﾞ(&D)", "debug", Close::Debug},
                            Button{"編集(&E)", "edit", Close::Edit}}) {
        auto* button = new QPushButton(QString::fromUtf8(b.text));
        button->setObjectName(QString::fromUtf8(b.name));
        button->setAutoDefault(false);
        const Close close = b.close;
        connect(button, &QPushButton::clicked, this, [this, close] { emit closeRequested(int(close)); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    top->addLayout(buttons);
    top->addStretch(1);
}

std::string MacroPage::title() const { return fromQString(m_title->text()); }

std::string MacroPage::path() const { return m_path->text().toStdString(); }

CShMacro::CShMacro(const shell::MacroSheetRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("ﾏｸﾛの設定"));
    auto* top = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setUsesScrollButtons(true);
    for (int n = 0; n < shell::kMacroSlotCount; ++n) {
        auto* page = new MacroPage(request.titles[size_t(n)], request.paths[size_t(n)], request.backgroundRun);
        m_pages[size_t(n)] = page;
        connect(page, &MacroPage::closeRequested, this,
                [this](int close) { finish(shell::MacroSheetRequest::Close(close)); });
        m_tabs->addTab(page, fromUtf8(shell::numberedMenuLabel(cp932::toUtf8(request.titles[size_t(n)]),
                                                                shell::NumberedFamily::MacroRun, n + 1, false)));
    }
    m_tabs->setCurrentIndex(std::clamp(request.page, 0, shell::kMacroSlotCount - 1));
    top->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(shell::MacroSheetRequest::Close::Ok); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
    // Enter runs the page's macro.
    auto defaultRun = [this](int index) {
        if (MacroPage* p = qobject_cast<MacroPage*>(m_tabs->widget(index)))
            if (auto* run = p->findChild<QPushButton*>(QStringLiteral("run"))) run->setDefault(true);
    };
    connect(m_tabs, &QTabWidget::currentChanged, this, defaultRun);
    defaultRun(m_tabs->currentIndex());
}

void CShMacro::finish(shell::MacroSheetRequest::Close close) {
    m_close = close;
    accept();
}

void CShMacro::finishInto(shell::MacroSheetRequest& request) const {
    request.page = m_tabs->currentIndex();
    request.close = result() == QDialog::Accepted ? m_close : shell::MacroSheetRequest::Close::Cancel;
    if (request.close == shell::MacroSheetRequest::Close::Cancel) return;
    for (int n = 0; n < shell::kMacroSlotCount; ++n) {
        request.titles[size_t(n)] = m_pages[size_t(n)]->title();
        request.paths[size_t(n)] = m_pages[size_t(n)]->path();
    }
}

}  // namespace orvex::qt
