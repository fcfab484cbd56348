#pragma once
// The association page (32863 "ﾌｧｲﾙﾏﾈｰｼﾞｬｰへの関連付け"): the extensions the
// editor opens from the file manager, the extension of the new-file
// template and the icon number.
#include <QDialog>

#include "shell/FrameHost.h"

class QLineEdit;
class QSpinBox;

namespace orvex::qt {

class AssociationDialog final : public QDialog {
    Q_OBJECT
public:
    AssociationDialog(const shell::AssociationRequest& request, QWidget* parent = nullptr);
    shell::AssociationRequest result() const;

    QLineEdit* extensionsField() const { return m_exts; }
    QLineEdit* newExtensionField() const { return m_newExt; }

private:
    QLineEdit* m_exts = nullptr;
    QLineEdit* m_newExt = nullptr;
    QSpinBox* m_icon = nullptr;
};

}  // namespace orvex::qt
