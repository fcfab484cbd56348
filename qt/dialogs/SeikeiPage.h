#pragma once
// One page of the formatting sheet: the controls of one preset. The width
// is shown in full-width characters (half the columns) while NumByWchar is
// on; the hanging limit and the width are limited by their spin boxes.
#include <QWidget>

#include "settings/FormatPreset.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace orvex::qt {

class SeikeiPage final : public QWidget {
    Q_OBJECT
public:
    SeikeiPage(const settings::FormatPreset& preset, bool fullWidth, QWidget* parent = nullptr);

    settings::FormatPreset preset() const;
    // The unit of the width changed: the number shown is halved or doubled.
    void setFullWidth(bool fullWidth);

    QSpinBox* widthBox() const { return m_width; }

private:
    settings::FormatPreset m_preset;
    bool m_fullWidth;
    QLineEdit* m_title = nullptr;
    QSpinBox* m_width = nullptr;
    QCheckBox* m_breakAtWidth = nullptr;
    QCheckBox* m_cr[8] = {};
    QCheckBox* m_kinsoku = nullptr;
    QSpinBox* m_hang = nullptr;
    QCheckBox* m_wordWrap = nullptr;
    QCheckBox* m_commentIns = nullptr;
    QLineEdit* m_commentStr = nullptr;
    QCheckBox* m_danraku[2] = {};
    QCheckBox* m_tab = nullptr;
    QCheckBox* m_delSpc[3] = {};
    QCheckBox* m_spc = nullptr;
    QCheckBox* m_wrapInf = nullptr;
    QCheckBox* m_modifyAutoCR = nullptr;
    QLineEdit* m_noJoinStart = nullptr;
    QLineEdit* m_noJoinEnd = nullptr;
    QButtonGroup* m_paragraph = nullptr;
};

}  // namespace orvex::qt
