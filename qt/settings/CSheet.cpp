#include "qt/settings/CSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "qt/dialogs/DialogTexts.h"
#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

CSheet::CSheet(shell::OptionsDraft& draft, shell::OptionsSheetKind kind,
               std::function<void(const shell::OptionsDraft&)> apply, QWidget* parent)
    : QDialog(parent), m_draft(draft), m_applyFn(std::move(apply)) {
    const bool urlOnly = kind == shell::OptionsSheetKind::UrlLaunch;
    setWindowTitle(urlOnly ? QStringLiteral("URLｼﾞｬﾝﾌﾟの設定") : QStringLiteral("ｵﾌﾟｼｮﾝの設定"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    if (urlOnly) {
        addPage(makeUrlPage(m_draft, nullptr), "URL");
    } else {
        addPage(makeFilePage(m_draft, nullptr), "ﾌｧｲﾙ");
        addPage(makeDisplayPage(m_draft, nullptr), "表示");
        addPage(makeColourPage(m_draft, nullptr), "色");
        addPage(makeModePage(m_draft, nullptr), "ﾌｧｲﾙﾀｲﾌﾟ別");
        addPage(makeKeywordPage(m_draft, nullptr), "ｷｰﾜｰﾄﾞ");
        addPage(makeKinsokuPage(m_draft, nullptr), "禁則");
        addPage(makeEditPage(m_draft, nullptr), "編集");
        addPage(makeSearchPage(m_draft, nullptr), "検索");
        addPage(makeStartupPage(m_draft, nullptr), "起動");
        addPage(makeWindowPage(m_draft, nullptr), "ｳｨﾝﾄﾞｳ");
        addPage(makeStatusBarPage(m_draft, nullptr), "ｽﾃｰﾀｽﾊﾞｰ");
        addPage(makeUrlPage(m_draft, nullptr), "URL");
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QString::fromUtf8(dialogtexts::kCancel), QDialogButtonBox::RejectRole);
    m_apply = buttons->addButton(QStringLiteral("適用"), QDialogButtonBox::ApplyRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &CSheet::applyNow);
    loadPages();
    resize(560, 620);
}

void CSheet::addPage(OptionForm* page, const char* title) {
    auto* scroll = new QScrollArea(m_tabs);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    m_tabs->addTab(scroll, QString::fromUtf8(title));
    m_pages.push_back(page);
}

void CSheet::storePages() {
    for (OptionForm* p : m_pages) p->store();
}

void CSheet::loadPages() {
    for (OptionForm* p : m_pages) p->load();
}

void CSheet::applyNow() {
    storePages();
    if (m_applyFn) m_applyFn(m_draft);
    // The pages show what was kept: values clamped as the store clamps them.
    shell::clampOptions(m_draft);
    loadPages();
}

void CSheet::accept() {
    storePages();
    QDialog::accept();
}

}  // namespace orvex::qt
