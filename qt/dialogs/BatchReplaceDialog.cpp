#include "qt/dialogs/BatchReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "qt/dialogs/DialogTexts.h"
#include "qt/platform/ActiveTextTable.h"
#include "qt/platform/QtText.h"
#include "search/SearchTexts.h"

namespace orvex::qt {

using search::BatchAction;

BatchReplaceDialog::BatchReplaceDialog(const search::BatchDialogData& data, QWidget* parent)
    : QDialog(parent), m_data(data) {
    namespace t = search::texts;
    setWindowTitle(fromUtf8(t::kBatchTitle));
    auto* top = new QVBoxLayout(this);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    auto* table = new QWidget;
    auto* grid = new QGridLayout(table);
    grid->addWidget(new QLabel(QString::fromUtf8(dialogtexts::kBatchFind)), 0, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(dialogtexts::kBatchReplacement)), 0, 2);
    QLineEdit* previous = nullptr;
    for (int i = 0; i < settings::kBatchPairCount; ++i) {
        auto* number = new QLabel(QString::number(i + 1));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, i + 1, 0);
        for (int c = 0; c < 2; ++c) {
            const std::string& bytes = c == 0 ? data.pairs.find[size_t(i)] : data.pairs.replace[size_t(i)];
            Field& f = m_fields[size_t(i)][size_t(c)];
            f.shown = toQString(bytes, activeTextTable());
            f.edit = new QLineEdit(f.shown);
            f.edit->setMinimumWidth(f.edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
            grid->addWidget(f.edit, i + 1, c + 1);
            if (previous) setTabOrder(previous, f.edit);
            previous = f.edit;
            connect(f.edit, &QLineEdit::returnPressed, this, [this, i, c] {
                const int next = i * 2 + c + 1;
                if (next < settings::kBatchPairCount * 2) m_fields[size_t(next / 2)][size_t(next % 2)].edit->setFocus();
            });
        }
    }
    scroll->setWidget(table);
    top->addWidget(scroll, 1);

    auto* bottom = new QHBoxLayout;
    top->addLayout(bottom);
    m_selection = new QCheckBox(fromUtf8(t::kSelectionOnly));
    m_selection->setChecked(data.selectionOnly);
    bottom->addWidget(m_selection);
    bottom->addStretch(1);
    m_close = new QPushButton(fromUtf8(t::kBatchClose));
    m_run = new QPushButton(fromUtf8(t::kBatchRun));
    m_cancel = new QPushButton(fromUtf8(t::kBatchCancel));
    for (QPushButton* b : {m_close, m_run, m_cancel}) {
        b->setAutoDefault(false);
        bottom->addWidget(b);
    }
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_action = BatchAction::Close;
        accept();
    });
    connect(m_run, &QPushButton::clicked, this, [this] {
        m_action = BatchAction::Run;
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().width() + 40, 480);
    m_fields[0][0].edit->setFocus();
}

QLineEdit* BatchReplaceDialog::field(int pair, int column) const {
    if (pair < 0 || pair >= settings::kBatchPairCount || column < 0 || column > 1) return nullptr;
    return m_fields[size_t(pair)][size_t(column)].edit;
}

QPushButton* BatchReplaceDialog::button(BatchAction action) const {
    switch (action) {
    case BatchAction::Close: return m_close;
    case BatchAction::Run: return m_run;
    case BatchAction::Cancel: break;
    }
    return m_cancel;
}

std::string BatchReplaceDialog::fieldBytes(const Field& f, const std::string& original) const {
    // An untouched field keeps its bytes exactly.
    const QString now = f.edit->text();
    return now == f.shown ? original : fromQString(now, activeTextTable(), false);
}

search::BatchDialogData BatchReplaceDialog::data() const {
    search::BatchDialogData d = m_data;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        d.pairs.find[i] = fieldBytes(m_fields[i][0], m_data.pairs.find[i]);
        d.pairs.replace[i] = fieldBytes(m_fields[i][1], m_data.pairs.replace[i]);
    }
    d.selectionOnly = m_selection->isChecked();
    return d;
}

}  // namespace orvex::qt
