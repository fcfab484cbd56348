#include "qt/dialogs/CSeikeiSh.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/SeikeiPage.h"
#include "qt/platform/QtText.h"
#include "transform/FormatPresets.h"

namespace orvex::qt {

CSeikeiSh::CSeikeiSh(const transform::FormatSheetData& data, QWidget* parent) : QDialog(parent), m_data(data) {
    setWindowTitle(QString::fromUtf8("整形の設定と実行"));
    auto* top = new QVBoxLayout(this);
    m_tabs = new QTabWidget;
    m_tabs->setUsesScrollButtons(true);
    for (int n = 0; n < settings::kFormatPresetCount; ++n) {
        m_pages[size_t(n)] = new SeikeiPage(data.presets[size_t(n)], data.numByWchar);
        m_tabs->addTab(m_pages[size_t(n)], toQString(transform::presetTitle(data.presets[size_t(n)], n)));
    }
    m_tabs->setCurrentIndex(std::clamp(data.page, 0, settings::kFormatPresetCount - 1));
    top->addWidget(m_tabs);

    auto* row = new QHBoxLayout;
    m_wide = new QCheckBox(QString::fromUtf8("全角文字数で指定(&A)"));
    m_wide->setChecked(data.numByWchar);
    connect(m_wide, &QCheckBox::toggled, this, [this](bool on) {
        for (SeikeiPage* p : m_pages) p->setFullWidth(on);
    });
    row->addWidget(m_wide);
    row->addStretch();
    auto* run = new QPushButton(QString::fromUtf8("整形の実行(&G)"));
    auto* clip = new QPushButton(QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞ整形(&Z)"));
    run->setObjectName(QStringLiteral("run"));
    clip->setObjectName(QStringLiteral("clipboard"));
    connect(run, &QPushButton::clicked, this, [this] { finish(transform::SheetAction::Run); });
    connect(clip, &QPushButton::clicked, this, [this] { finish(transform::SheetAction::FormatClipboard); });
    row->addWidget(run);
    row->addWidget(clip);
    top->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { finish(transform::SheetAction::Ok); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    top->addWidget(buttons);
}

void CSeikeiSh::finish(transform::SheetAction action) {
    m_action = action;
    accept();
}

transform::FormatSheetData CSeikeiSh::result() const {
    transform::FormatSheetData d = m_data;
    for (int n = 0; n < settings::kFormatPresetCount; ++n) d.presets[size_t(n)] = m_pages[size_t(n)]->preset();
    d.numByWchar = m_wide->isChecked();
    d.page = m_tabs->currentIndex();
    return d;
}

}  // namespace orvex::qt
