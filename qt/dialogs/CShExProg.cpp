#include "qt/dialogs/CShExProg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/commands/CommandRegistry.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"
#include "shell/NumberedLabels.h"
#include "tools/ProgramLine.h"

namespace orvex::qt {

namespace {

QString utf8(const std::string& s) { return fromUtf8(s); }
std::string utf8(const QString& s) { return s.toStdString(); }

// Fields that hold paths, switches and shell text: the input method stays
// off there, as typing them in kana is never meant.
QLineEdit* latinField(const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    return edit;
}

}  // namespace

ExProgPage::ExProgPage(const settings::ExternalProgram& program, const std::string& currentFile, QWidget* parent)
    : QWidget(parent), m_original(program), m_currentFile(currentFile) {
    auto* form = new QFormLayout(this);

    // Titles are Shift JIS like every menu title; the rest are bytes the
    // shell and the file system see, which are UTF-8 here.
    m_title = new QLineEdit(toQString(program.title));
    auto* titleLabel = new QLabel(QString::fromUtf8("ﾀｲﾄﾙ(&T)"));
    titleLabel->setBuddy(m_title);
    form->addRow(titleLabel, m_title);

    m_command = latinField(utf8(program.command));
    auto* browse = new QPushButton(QString::fromUtf8("参照..."));
    browse->setObjectName(QStringLiteral("browse"));
    connect(browse, &QPushButton::clicked, this, [this] {
        QFileDialog dialog(this, QString(), QFileInfo(m_command->text()).path());
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.selectFile(QStringLiteral("*"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            m_command->setText(dialog.selectedFiles().first());
    });
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(m_command, 1);
    commandRow->addWidget(browse);
    auto* commandLabel = new QLabel(QString::fromUtf8("ｺﾏﾝﾄﾞ(ﾌﾙﾊﾟｽで,拡張子も含む)(&C)"));
    commandLabel->setBuddy(m_command);
    form->addRow(commandLabel, commandRow);

    m_param = latinField(utf8(program.param));
    auto* paramLabel = new QLabel(QString::fromUtf8("ﾊﾟﾗﾒｰﾀ(&P)"));
    paramLabel->setBuddy(m_param);
    form->addRow(paramLabel, m_param);

    auto* current = new QLineEdit(utf8(currentFile));
    current->setReadOnly(true);
    current->setFocusPolicy(Qt::NoFocus);
    form->addRow(QString(), current);
    m_nameFirst = new QCheckBox(QString::fromUtf8("ﾊﾟﾗﾒｰﾀの最初に(&B)"));
    m_nameLast = new QCheckBox(QString::fromUtf8("ﾊﾟﾗﾒｰﾀの最後に現在のﾌｧｲﾙ名を付ける(&A)"));
    m_nameLast->setChecked(program.paramFile == 1);
    m_nameFirst->setChecked(program.paramFile == 2);
    // The two places of the name exclude each other.
    connect(m_nameFirst, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_nameLast->setChecked(false);
    });
    connect(m_nameLast, &QCheckBox::toggled, this, [this](bool on) {
        if (on) m_nameFirst->setChecked(false);
    });
    form->addRow(QString(), m_nameFirst);
    form->addRow(QString(), m_nameLast);

    m_dir = latinField(utf8(program.dir));
    auto* dirLabel = new QLabel(QString::fromUtf8("実行時のﾃﾞｨﾚｸﾄﾘ(&D)"));
    dirLabel->setBuddy(m_dir);
    form->addRow(dirLabel, m_dir);
    m_dirFile = new QCheckBox(QString::fromUtf8("現在のﾌｧｲﾙのﾃﾞｨﾚｸﾄﾘを実行ﾃﾞｨﾚｸﾄﾘとする(&H)"));
    m_dirFile->setChecked(program.dirFile != 0);
    connect(m_dirFile, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) return;
        const std::string folder = tools::folderOf(m_currentFile);
        if (!folder.empty()) m_dir->setText(utf8(folder));
    });
    form->addRow(QString(), m_dirFile);

    m_env = new QPlainTextEdit(utf8(program.env).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_env->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    m_env->setTabChangesFocus(true);
    m_env->setMaximumHeight(m_env->fontMetrics().lineSpacing() * 5);
    auto* envLabel = new QLabel(QString::fromUtf8("環境変数(&E)"));
    envLabel->setBuddy(m_env);
    form->addRow(envLabel, m_env);

    m_redirect = new QCheckBox(QString::fromUtf8("実行終了を待ち,結果をｳｨﾝﾄﾞｳにﾘﾀﾞｲﾚｸﾄする(&R)"));
    m_redirect->setChecked(program.redirect != 0);
    form->addRow(QString(), m_redirect);
}

settings::ExternalProgram ExProgPage::program() const {
    settings::ExternalProgram p = m_original;
    p.title = fromQString(m_title->text());
    p.command = utf8(m_command->text());
    p.param = utf8(m_param->text());
    p.dir = utf8(m_dir->text());
    // Lines are kept with CR LF, as the environment walk reads them.
    p.env = utf8(m_env->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    p.paramFile = m_nameLast->isChecked() ? 1 : m_nameFirst->isChecked() ? 2 : 0;
    p.dirFile = m_dirFile->isChecked() ? 1 : 0;
    p.redirect = m_redirect->isChecked() ? 1 : 0;
    return p;
}

CShExProg::CShExProg(const shell::ProgramSheetRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(fromUtf8(commands::menuText(cmd::kExternalProgramSheet)));
    auto* top = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setUsesScrollButtons(true);
    for (int n = 0; n < settings::kExternalProgramCount; ++n) {
        const settings::ExternalProgram& p = request.programs[size_t(n)];
        m_pages[size_t(n)] = new ExProgPage(p, request.currentFile);
        m_tabs->addTab(m_pages[size_t(n)],
                       fromUtf8(shell::numberedMenuLabel(cp932::toUtf8(p.title), shell::NumberedFamily::ProgramRun,
                                                         n + 1, false)));
    }
    m_tabs->setCurrentIndex(std::clamp(request.page, 0, settings::kExternalProgramCount - 1));
    top->addWidget(m_tabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    auto* run = buttons->addButton(QString::fromUtf8("実行(&G)"), QDialogButtonBox::ActionRole);
    run->setObjectName(QStringLiteral("run"));
    run->setDefault(true);
    connect(run, &QPushButton::clicked, this, [this] { finish(shell::ProgramSheetRequest::Close::Run); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(shell::ProgramSheetRequest::Close::Ok); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

void CShExProg::finish(shell::ProgramSheetRequest::Close close) {
    m_close = close;
    accept();
}

void CShExProg::finishInto(shell::ProgramSheetRequest& request) const {
    request.page = m_tabs->currentIndex();
    request.close = result() == QDialog::Accepted ? m_close : shell::ProgramSheetRequest::Close::Cancel;
    if (request.close == shell::ProgramSheetRequest::Close::Cancel) return;
    for (int n = 0; n < settings::kExternalProgramCount; ++n) request.programs[size_t(n)] = m_pages[size_t(n)]->program();
}

}  // namespace orvex::qt
