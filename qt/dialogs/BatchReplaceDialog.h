#pragma once
// The batch replace dialog "一括置換": the 40 pairs of a find string and its
// replacement, "選択範囲のみ(&S)", and "閉じる" (keep the edits), "実行" (keep
// them and run) and "ｷｬﾝｾﾙ" (drop them). Enter in a field moves to the next
// one; it never runs the replacement by itself.
#include <QDialog>
#include <array>

#include "search/SearchDialogs.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orvex::qt {

class BatchReplaceDialog final : public QDialog {
    Q_OBJECT
public:
    BatchReplaceDialog(const search::BatchDialogData& data, QWidget* parent = nullptr);

    search::BatchAction action() const { return m_action; }
    search::BatchDialogData data() const;

    // The find field (column 0) or the replacement field (column 1) of a
    // pair 0-39.
    QLineEdit* field(int pair, int column) const;
    QCheckBox* selectionOnly() const { return m_selection; }
    QPushButton* button(search::BatchAction action) const;

private:
    struct Field {
        QLineEdit* edit = nullptr;
        QString shown;  // the text it started with
    };
    std::string fieldBytes(const Field& f, const std::string& original) const;

    search::BatchDialogData m_data;
    search::BatchAction m_action = search::BatchAction::Cancel;
    std::array<std::array<Field, 2>, settings::kBatchPairCount> m_fields;
    QCheckBox* m_selection = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_run = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace orvex::qt
