#include "qt/settings/OptionForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "qt/platform/QtText.h"

namespace orvex::qt {

OptionForm::OptionForm(QWidget* parent) : QWidget(parent), m_outer(new QVBoxLayout(this)) {}

QFormLayout* OptionForm::form() {
    if (!m_form) {
        m_form = new QFormLayout;
        m_outer->addLayout(m_form);
    }
    return m_form;
}

void OptionForm::group(const char* title) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    m_form = new QFormLayout(box);
    m_outer->addWidget(box);
}

void OptionForm::finish() { m_outer->addStretch(1); }

QCheckBox* OptionForm::check(const char* label, int& field) {
    auto* box = new QCheckBox(QString::fromUtf8(label), this);
    form()->addRow(box);
    int* f = &field;
    m_bindings.push_back({[box, f] { box->setChecked(*f != 0); },
                          [box, f] {
                              if (box->isChecked() != (*f != 0)) *f = box->isChecked() ? 1 : 0;
                          }});
    return box;
}

QCheckBox* OptionForm::flag(const char* label, int& field, int bit) {
    auto* box = new QCheckBox(QString::fromUtf8(label), this);
    form()->addRow(box);
    int* f = &field;
    m_bindings.push_back({[box, f, bit] { box->setChecked((*f & bit) != 0); },
                          [box, f, bit] { *f = box->isChecked() ? (*f | bit) : (*f & ~bit); }});
    return box;
}

QComboBox* OptionForm::choice(const char* label, std::initializer_list<const char*> items, int& field, int first) {
    auto* combo = new QComboBox(this);
    for (const char* item : items) combo->addItem(QString::fromUtf8(item));
    auto* l = new QLabel(QString::fromUtf8(label), this);
    l->setBuddy(combo);
    form()->addRow(l, combo);
    int* f = &field;
    m_bindings.push_back({[combo, f, first] {
                              const int i = *f - first;
                              combo->setCurrentIndex(i >= 0 && i < combo->count() ? i : -1);
                          },
                          [combo, f, first] {
                              if (combo->currentIndex() >= 0) *f = combo->currentIndex() + first;
                          }});
    return combo;
}

QSpinBox* OptionForm::number(const char* label, int& field, settings::IntRange range) {
    return scaledNumber(label, field, range, 1);
}

QSpinBox* OptionForm::scaledNumber(const char* label, int& field, settings::IntRange range, int scale) {
    auto* spin = new QSpinBox(this);
    // Shown in whole units of scale: the range rounded inwards.
    spin->setRange((range.minimum + scale - 1) / scale, range.maximum / scale);
    spin->setKeyboardTracking(false);
    auto* l = new QLabel(QString::fromUtf8(label), this);
    l->setBuddy(spin);
    form()->addRow(l, spin);
    int* f = &field;
    m_bindings.push_back({[spin, f, scale] { spin->setValue(*f / scale); },
                          [spin, f, scale, range] {
                              // Whatever the box holds is clamped once more by the table's range.
                              spin->interpretText();
                              *f = range.clamp(spin->value() * scale);
                          }});
    return spin;
}

QLineEdit* OptionForm::text(const char* label, std::string& field) {
    auto* edit = new QLineEdit(this);
    auto* l = new QLabel(QString::fromUtf8(label), this);
    l->setBuddy(edit);
    form()->addRow(l, edit);
    std::string* f = &field;
    m_bindings.push_back({[edit, f] { edit->setText(toQString(*f)); },
                          [edit, f] {
                              // Only an edited text is converted back, so a stored string
                              // the display could not show exactly stays as it was.
                              if (edit->text() != toQString(*f)) *f = fromQString(edit->text());
                          }});
    return edit;
}

void OptionForm::custom(const char* label, QWidget* widget, std::function<void()> load, std::function<void()> store) {
    if (label && *label) {
        auto* l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(widget);
        form()->addRow(l, widget);
    } else {
        form()->addRow(widget);
    }
    m_bindings.push_back({std::move(load), std::move(store)});
}

void OptionForm::forms(QWidget* widget, std::vector<OptionForm*> forms) {
    custom(
        nullptr, widget,
        [forms] {
            for (OptionForm* f : forms) f->load();
        },
        [forms] {
            for (OptionForm* f : forms) f->store();
        });
}

void OptionForm::load() {
    for (Binding& b : m_bindings) b.load();
}

void OptionForm::store() {
    for (Binding& b : m_bindings) b.store();
}

}  // namespace orvex::qt
