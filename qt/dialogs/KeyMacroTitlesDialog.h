#pragma once
// The key-macro slot titles: twenty edit fields, one per slot. The titles
// are Shift JIS as the settings keep them; OK hands them back.
#include <QDialog>
#include <array>
#include <string>

class QLineEdit;

namespace orvex::qt {

class KeyMacroTitlesDialog final : public QDialog {
    Q_OBJECT
public:
    explicit KeyMacroTitlesDialog(const std::array<std::string, 20>& titles, QWidget* parent = nullptr);
    std::array<std::string, 20> titles() const;
    QLineEdit* field(int slot) const { return m_fields[size_t(slot)]; }

private:
    std::array<QLineEdit*, 20> m_fields{};
};

}  // namespace orvex::qt
