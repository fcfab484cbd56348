#include "qt/dialogs/CShTeikei.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/codepage/Cp932.h"
#include "common/commands/CommandRegistry.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"
#include "shell/NumberedLabels.h"

namespace orvex::qt {

namespace {

// Texts keep CR LF line ends in the store; the edit field shows LF.
QString textForField(const std::string& sjis) {
    return toQString(sjis).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string textFromField(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return fromQString(t);
}

}  // namespace

CShTeikei::CShTeikei(const shell::FixedStringsRequest& request, QWidget* parent) : QDialog(parent), m_data(request) {
    setWindowTitle(fromUtf8(commands::menuText(cmd::kFixedStringsEdit)));
    m_list = new QListWidget;
    for (int i = 0; i < settings::kFixedStringCount; ++i) m_list->addItem(QString());
    for (int i = 0; i < settings::kFixedStringCount; ++i) relabel(i);
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 24);

    m_title = new QLineEdit;
    m_text = new QPlainTextEdit;
    m_text->setTabChangesFocus(true);
    auto* titleLabel = new QLabel(QString::fromUtf8("ﾀｲﾄﾙ(&T)"));
    titleLabel->setBuddy(m_title);
    auto* textLabel = new QLabel(QString::fromUtf8("文字列(&S)"));
    textLabel->setBuddy(m_text);
    auto* form = new QFormLayout;
    form->addRow(titleLabel, m_title);
    form->addRow(textLabel, m_text);
    connect(m_title, &QLineEdit::textEdited, this, [this] {
        keep();
        relabel(m_slot);
    });

    auto* row = new QHBoxLayout;
    row->addWidget(m_list);
    row->addLayout(form, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        keep();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(row);
    top->addWidget(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int slot) { show(slot); });
    m_list->setCurrentRow(0);
}

void CShTeikei::relabel(int slot) {
    if (slot < 0 || slot >= settings::kFixedStringCount) return;
    m_list->item(slot)->setText(fromUtf8(shell::numberedMenuLabel(
        cp932::toUtf8(m_data.titles[size_t(slot)]), shell::NumberedFamily::FixedString, slot + 1, false)));
}

void CShTeikei::keep() {
    if (m_slot < 0) return;
    m_data.titles[size_t(m_slot)] = fromQString(m_title->text());
    m_data.texts[size_t(m_slot)] = textFromField(m_text->toPlainText());
}

void CShTeikei::show(int slot) {
    keep();
    m_slot = slot;
    if (slot < 0) return;
    m_title->setText(toQString(m_data.titles[size_t(slot)]));
    m_text->setPlainText(textForField(m_data.texts[size_t(slot)]));
}

shell::FixedStringsRequest CShTeikei::result() const { return m_data; }

}  // namespace orvex::qt
