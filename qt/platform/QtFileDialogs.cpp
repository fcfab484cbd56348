#include "qt/platform/QtFileDialogs.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

#include "qt/platform/QtText.h"

namespace orvex::qt {

namespace {

QComboBox* addChoiceRow(QFileDialog& dialog, const char* label, const std::vector<std::string>& choices, int index) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid || choices.empty()) return nullptr;
    auto* combo = new QComboBox(&dialog);
    for (const auto& c : choices) combo->addItem(fromUtf8(c));
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(label), &dialog), row, 0);
    grid->addWidget(combo, row, 1, 1, grid->columnCount() > 2 ? grid->columnCount() - 1 : 1);
    return combo;
}

}  // namespace

std::optional<FileDialogResult> QtFileDialogs::ask(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent, fromUtf8(request.title), fromUtf8(request.directory));
    // The extra lists need Qt's own dialog; the desktop's native one cannot hold them.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (request.save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    QStringList filters;
    for (const auto& f : request.filters) filters << fromUtf8(f);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 0 && request.filterIndex < filters.size())
            dialog.selectNameFilter(filters[request.filterIndex]);
    }
    if (!request.fileName.empty()) dialog.selectFile(fromUtf8(request.fileName));
    QComboBox* code = addChoiceRow(dialog, "文字ｺｰﾄﾞ", request.codeChoices, request.codeIndex);
    QComboBox* lineEnd = addChoiceRow(dialog, "改行ｺｰﾄﾞ", request.lineEndChoices, request.lineEndIndex);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogResult result;
    for (const QString& f : dialog.selectedFiles()) result.paths.push_back(QFile::encodeName(f).toStdString());
    result.filterIndex = std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    result.codeIndex = code ? code->currentIndex() : request.codeIndex;
    result.lineEndIndex = lineEnd ? lineEnd->currentIndex() : request.lineEndIndex;
    return result;
}

}  // namespace orvex::qt
