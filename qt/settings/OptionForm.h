#pragma once
// One form of option controls bound to fields of the options draft. Each
// add* call makes a labelled control (its access letter in the label, as
// "...(&X)") and remembers how it reads its field and writes it back:
// load() shows the fields, store() writes the controls into them. Controls
// are added in tab order. Number fields take their range from the
// settings tables (settings/TableRanges.h), so a spin box never offers a
// value the store would clamp.
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "settings/TableRanges.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;

namespace orvex::qt {

class OptionForm : public QWidget {
    Q_OBJECT
public:
    explicit OptionForm(QWidget* parent = nullptr);

    // A titled group; the controls after it go into that group.
    void group(const char* title);
    // Checked while the field is not 0; storing writes 1 or 0 (a checked
    // field that held another non-zero value keeps it).
    QCheckBox* check(const char* label, int& field);
    // One bit of a field of flags: the other bits are kept.
    QCheckBox* flag(const char* label, int& field, int bit);
    // Item i stands for the value first + i; a field outside the list
    // is shown as no choice and kept while the user chooses none.
    QComboBox* choice(const char* label, std::initializer_list<const char*> items, int& field, int first = 0);
    // A whole number within range (typed text that is no number, or that
    // leaves the range, is refused as it is typed).
    QSpinBox* number(const char* label, int& field, settings::IntRange range);
    // A number shown in another unit: shown = field / scale, stored = shown * scale.
    QSpinBox* scaledNumber(const char* label, int& field, settings::IntRange range, int scale);
    // A Shift JIS string.
    QLineEdit* text(const char* label, std::string& field);
    // A widget of the page's own, with its load and store.
    void custom(const char* label, QWidget* widget, std::function<void()> load, std::function<void()> store);
    // A widget showing one of several forms at a time (the five file-type
    // modes, the four status-bar layouts): all of them load and store.
    void forms(QWidget* widget, std::vector<OptionForm*> forms);
    // Stretch after the last group.
    void finish();

    void load();
    void store();

private:
    QFormLayout* form();

    QVBoxLayout* m_outer = nullptr;
    QFormLayout* m_form = nullptr;
    struct Binding {
        std::function<void()> load;
        std::function<void()> store;
    };
    std::vector<Binding> m_bindings;
};

// The range of one integer key, looked up in its table; a key without a
// range in its table is a programming error (asserted) and gets 0..0.
template <class S>
settings::IntRange rangeOf(const settings::SettingsTable<S>& table, const char* key) {
    const auto r = settings::intRange(table, key);
    Q_ASSERT_X(r.has_value(), "rangeOf", key);
    return r.value_or(settings::IntRange{0, 0});
}

}  // namespace orvex::qt
