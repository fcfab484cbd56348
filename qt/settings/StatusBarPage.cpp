// The status-bar page: the four layouts of sixteen pane strings. A pane
// string is "%" and a pane code, or a text shown as it stands; an empty
// string gives no pane.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>

#include "qt/settings/OptionForm.h"
#include "qt/settings/OptionPages.h"

namespace orvex::qt {

OptionForm* makeStatusBarPage(shell::OptionsDraft& d, QWidget* parent) {
    constexpr int kPanes = settings::kStatusBarStrings / 4;
    auto* f = new OptionForm(parent);
    auto* layouts = new QComboBox(f);
    auto* stack = new QStackedWidget(f);
    static const char* const kLayouts[] = {"通常", "選択中", "ﾚｲｱｳﾄ3", "ﾚｲｱｳﾄ4"};
    static const char* const kPaneLabels[kPanes] = {
        "ﾍﾟｲﾝ1(&1)", "ﾍﾟｲﾝ2(&2)", "ﾍﾟｲﾝ3(&3)", "ﾍﾟｲﾝ4(&4)", "ﾍﾟｲﾝ5(&5)", "ﾍﾟｲﾝ6(&6)", "ﾍﾟｲﾝ7(&7)", "ﾍﾟｲﾝ8(&8)",
        "ﾍﾟｲﾝ9(&9)", "ﾍﾟｲﾝ10(&0)", "ﾍﾟｲﾝ11", "ﾍﾟｲﾝ12", "ﾍﾟｲﾝ13", "ﾍﾟｲﾝ14", "ﾍﾟｲﾝ15", "ﾍﾟｲﾝ16"};
    std::vector<OptionForm*> forms;
    for (int k = 0; k < 4; ++k) {
        layouts->addItem(QString::fromUtf8(kLayouts[k]));
        auto* form = new OptionForm(stack);
        for (int i = 0; i < kPanes; ++i) form->text(kPaneLabels[i], d.frame.stsBar[size_t(k * kPanes + i)]);
        form->finish();
        forms.push_back(form);
        stack->addWidget(form);
    }
    QObject::connect(layouts, &QComboBox::currentIndexChanged, stack, &QStackedWidget::setCurrentIndex);
    f->custom("ﾚｲｱｳﾄ(&L)", layouts, [] {}, [] {});
    auto* note = new QLabel(QStringLiteral("%と番号: 表示項目 / それ以外: その文字列 / 空: ﾍﾟｲﾝなし"), f);
    note->setWordWrap(true);
    f->custom(nullptr, note, [] {}, [] {});
    f->forms(stack, forms);
    f->finish();
    return f;
}

}  // namespace orvex::qt
