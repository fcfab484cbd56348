#include "qt/dialogs/QtTransformDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/dialogs/CSeikeiSh.h"
#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

QWidget* parentWindow() { return QApplication::activeWindow(); }

QDialogButtonBox* okCancel(QDialog& d) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(dialogtexts::kCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    return buttons;
}

}  // namespace

bool QtTransformDialogs::askSort(transform::SortDialogData& data) {
    QDialog d(parentWindow());
    d.setWindowTitle(QString::fromUtf8("ｿｰﾄ"));
    auto* top = new QVBoxLayout(&d);
    auto* form = new QFormLayout;
    auto* type = new QComboBox;
    for (const char* t : {"標準", "ﾌｨｰﾙﾄﾞ指定", "桁指定"}) type->addItem(QString::fromUtf8(t));
    type->setCurrentIndex(std::clamp(data.type, 0, 2));
    form->addRow(QString::fromUtf8("ｿｰﾄ方法(&S)"), type);
    auto* field = new QSpinBox;
    field->setRange(1, 999);
    field->setValue(std::clamp(data.field, 1, 999));
    form->addRow(QString::fromUtf8("ﾌｨｰﾙﾄﾞ番号(&F)"), field);
    // Separators: the listed ones, or any other character typed in.
    auto* punct = new QComboBox;
    punct->setEditable(true);
    const std::pair<const char*, const char*> seps[] = {
        {" , ｶﾝﾏ", ","}, {" ; ｾﾐｺﾛﾝ", ";"}, {" . ﾋﾟﾘｵﾄﾞ", "."}, {" : ｺﾛﾝ", ":"}, {"ｽﾍﾟｰｽ", " "}, {"ﾀﾌﾞ", "\t"}};
    int current = -1;
    for (const auto& [label, value] : seps) {
        punct->addItem(QString::fromUtf8(label), QString::fromUtf8(value));
        if (data.punct == value) current = punct->count() - 1;
    }
    if (current >= 0) punct->setCurrentIndex(current);
    else punct->setEditText(toQString(data.punct));
    form->addRow(QString::fromUtf8("区切り文字(&T)"), punct);
    auto* quote = new QComboBox;
    quote->addItem(QStringLiteral("\""), QStringLiteral("\""));
    quote->addItem(QStringLiteral("'"), QStringLiteral("'"));
    quote->addItem(QString::fromUtf8("（なし）"), QString());
    quote->setCurrentIndex(data.quote == "\"" ? 0 : data.quote == "'" ? 1 : 2);
    form->addRow(QString::fromUtf8("文字列の引用符(&R)"), quote);
    auto* column = new QSpinBox;
    column->setRange(1, 9999);
    column->setValue(std::clamp(data.column, 1, 9999));
    form->addRow(QString::fromUtf8("桁(&U)"), column);
    top->addLayout(form);
    auto* cs = new QCheckBox(QString::fromUtf8("大文字と小文字を区別(&C)"));
    cs->setChecked(data.caseSensitive);
    top->addWidget(cs);
    top->addWidget(okCancel(d));
    if (d.exec() != QDialog::Accepted) return false;
    data.type = type->currentIndex();
    data.field = field->value();
    const int i = punct->findText(punct->currentText());
    data.punct = i >= 0 ? fromQString(punct->itemData(i).toString()) : fromQString(punct->currentText().left(1));
    if (data.punct.empty()) data.punct = ",";
    data.quote = fromQString(quote->currentData().toString());
    data.column = column->value();
    data.caseSensitive = cs->isChecked();
    return true;
}

bool QtTransformDialogs::askBracket(transform::BracketDialogData& data) {
    QDialog d(parentWindow());
    d.setWindowTitle(QString::fromUtf8("括弧の挿入"));
    auto* top = new QVBoxLayout(&d);
    auto* list = new QListWidget;
    auto fill = [list](const std::vector<std::string>& entries) {
        list->clear();
        for (const std::string& e : entries) list->addItem(toQString(e));
    };
    fill(data.entries);
    list->setCurrentRow(std::clamp(data.chosen, 0, std::max(0, list->count() - 1)));
    QObject::connect(list, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    top->addWidget(list);
    auto* row = new QHBoxLayout;
    auto* reset = new QPushButton(QString::fromUtf8("ﾘｾｯﾄ"));
    QObject::connect(reset, &QPushButton::clicked, &d, [&] {
        data.reset = true;
        fill(data.defaults);
        list->setCurrentRow(0);
    });
    row->addWidget(reset);
    row->addStretch();
    row->addWidget(okCancel(d));
    top->addLayout(row);
    if (d.exec() != QDialog::Accepted) return false;
    data.chosen = list->currentRow();
    return data.chosen >= 0;
}

bool QtTransformDialogs::askFormatWidth(transform::FormatWidthData& data) {
    QDialog d(parentWindow());
    d.setWindowTitle(QString::fromUtf8("整形 - 一行の文字数"));
    auto* top = new QVBoxLayout(&d);
    auto* form = new QFormLayout;
    auto* spin = new QSpinBox;
    spin->setRange(1, 250);
    spin->setValue(std::clamp(data.numByWchar ? data.width / 2 : data.width, 1, 250));
    form->addRow(QString::fromUtf8("一行の文字数(&N)"), spin);
    top->addLayout(form);
    auto* wide = new QCheckBox(QString::fromUtf8("全角文字数(&W)"));
    wide->setChecked(data.numByWchar);
    QObject::connect(wide, &QCheckBox::toggled, &d, [spin](bool on) {
        spin->setValue(on ? std::max(1, spin->value() / 2) : std::min(250, spin->value() * 2));
    });
    top->addWidget(wide);
    auto* window = new QCheckBox(QString::fromUtf8("ｳｨﾝﾄﾞｳｻｲｽﾞを合わせる(&S)"));
    top->addWidget(window);
    top->addWidget(okCancel(d));
    // The input method stays closed while the dialog is shown.
    spin->setAttribute(Qt::WA_InputMethodEnabled, false);
    if (d.exec() != QDialog::Accepted) return false;
    data.numByWchar = wide->isChecked();
    const int columns = window->isChecked() ? data.windowColumns : spin->value() * (data.numByWchar ? 2 : 1);
    data.width = std::clamp(columns, 1, 250);
    return true;
}

transform::SheetAction QtTransformDialogs::runFormatSheet(transform::FormatSheetData& data) {
    CSeikeiSh sheet(data, parentWindow());
    if (sheet.exec() != QDialog::Accepted) return transform::SheetAction::Cancel;
    data = sheet.result();
    return sheet.action();
}

int QtTransformDialogs::choosePreset(const std::vector<std::string>& titles) {
    QMenu menu(parentWindow());
    for (size_t i = 0; i < titles.size(); ++i) menu.addAction(toQString(titles[i]))->setData(int(i));
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : -1;
}

}  // namespace orvex::qt
