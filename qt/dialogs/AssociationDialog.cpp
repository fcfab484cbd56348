#include "qt/dialogs/AssociationDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/commands/CommandRegistry.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

AssociationDialog::AssociationDialog(const shell::AssociationRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(fromUtf8(commands::menuText(cmd::kFileAssociation)));
    // The values are settings text in Shift JIS.
    m_exts = new QLineEdit(toQString(request.exts));
    m_exts->setPlaceholderText(QStringLiteral(".txt;.log;.ini"));
    m_newExt = new QLineEdit(toQString(request.newExt));
    m_icon = new QSpinBox;
    m_icon->setRange(0, 99);
    m_icon->setValue(request.defIcon);
    auto* form = new QFormLayout;
    auto add = [&](const char* text, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(text));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    add("関連付ける拡張子(&E)", m_exts);
    add("新規作成の拡張子(&N)", m_newExt);
    add("ｱｲｺﾝ番号(&I)", m_icon);
    auto* note = new QLabel(QString::fromUtf8("拡張子は ; で区切ります。ﾌｧｲﾙﾏﾈｰｼﾞｬｰでこれらのﾌｧｲﾙを開くと Orvex が使われます。"));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(note);
    top->addWidget(buttons);
}

shell::AssociationRequest AssociationDialog::result() const {
    return {m_icon->value(), fromQString(m_exts->text()), fromQString(m_newExt->text())};
}

}  // namespace orvex::qt
