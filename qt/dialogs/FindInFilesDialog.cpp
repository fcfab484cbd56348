#include "qt/dialogs/FindInFilesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/dialogs/DialogTexts.h"
#include "qt/dialogs/HistoryCombo.h"
#include "qt/dialogs/SearchOptionBoxes.h"

namespace orvex::qt {

namespace {
// Folder names are the file system's bytes.
QString folderName(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }
std::string folderBytes(const QString& name) { return QFile::encodeName(name).toStdString(); }
}  // namespace

FindInFilesDialog::FindInFilesDialog(const search::FindInFilesDialogData& data, QWidget* parent)
    : QDialog(parent), m_data(data) {
    setWindowTitle(QString::fromUtf8(kTitle));
    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    top->addLayout(left, 1);

    auto* textLabel = new QLabel(QString::fromUtf8(dialogtexts::kSearchString));
    m_text = new HistoryCombo;
    m_text->setHistory(data.history, data.text);
    textLabel->setBuddy(m_text);
    left->addWidget(textLabel);
    left->addWidget(m_text);

    auto* folderLabel = new QLabel(QString::fromUtf8("検索ﾊﾟｽ(&Q)："));
    m_folder = new QComboBox;
    m_folder->setEditable(true);
    m_folder->setInsertPolicy(QComboBox::NoInsert);
    m_folder->setCompleter(nullptr);
    for (const std::string& f : data.folderHistory)
        if (!f.empty()) m_folder->addItem(folderName(f));
    m_folder->setEditText(folderName(data.folder));
    folderLabel->setBuddy(m_folder);
    auto* browseButton = new QPushButton(QString::fromUtf8("参照(&R)..."));
    connect(browseButton, &QPushButton::clicked, this, &FindInFilesDialog::browse);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    left->addWidget(folderLabel);
    left->addLayout(folderRow);

    auto* filterLabel = new QLabel(QString::fromUtf8("ﾌｧｲﾙの種類(&T)："));
    m_filter = new HistoryCombo;
    m_filter->setHistory(data.filterHistory, data.filter);
    filterLabel->setBuddy(m_filter);
    left->addWidget(filterLabel);
    left->addWidget(m_filter);

    auto* boxes = new QVBoxLayout;
    left->addLayout(boxes);
    m_options = new SearchOptionBoxes(boxes, data.flags, false);
    m_subFolders = new QCheckBox(QString::fromUtf8("ｻﾌﾞﾃﾞｨﾚｸﾄﾘまで検索(&S)"));
    m_openDocuments = new QCheckBox(QString::fromUtf8("現在開いているﾌｧｲﾙから検索(&P)"));
    m_onlyOne = new QCheckBox(QString::fromUtf8("最初の検索で次のﾌｧｲﾙに移動(&O)"));
    m_subFolders->setChecked(data.subFolders);
    m_openDocuments->setChecked(data.openDocuments);
    m_onlyOne->setChecked(data.onlyOnePerFile);
    boxes->addWidget(m_subFolders);
    boxes->addWidget(m_openDocuments);
    boxes->addWidget(m_onlyOne);
    left->addStretch(1);

    auto* column = new QVBoxLayout;
    top->addLayout(column);
    m_find = new QPushButton(QString::fromUtf8("検索(&F)"));
    auto* cancel = new QPushButton(QString::fromUtf8(dialogtexts::kCancel));
    m_find->setDefault(true);
    column->addWidget(m_find);
    column->addWidget(cancel);
    column->addStretch(1);
    connect(m_find, &QPushButton::clicked, this, [this] {
        if (!m_text->currentText().isEmpty()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QComboBox::editTextChanged, this, [this] { updateButtons(); });
    // The folder does not matter when the open documents are searched.
    connect(m_openDocuments, &QCheckBox::toggled, this, [this, browseButton](bool on) {
        m_folder->setEnabled(!on);
        browseButton->setEnabled(!on);
        m_filter->setEnabled(!on);
    });
    m_folder->setEnabled(!data.openDocuments);
    browseButton->setEnabled(!data.openDocuments);
    m_filter->setEnabled(!data.openDocuments);
    updateButtons();
    m_text->setFocus();
    m_text->lineEdit()->selectAll();
}

void FindInFilesDialog::browse() {
    const QString chosen = QFileDialog::getExistingDirectory(this, QString::fromUtf8("検索ﾊﾟｽ"), m_folder->currentText());
    if (!chosen.isEmpty()) m_folder->setEditText(chosen);
}

void FindInFilesDialog::updateButtons() { m_find->setEnabled(!m_text->currentText().isEmpty()); }

search::FindInFilesDialogData FindInFilesDialog::data() const {
    search::FindInFilesDialogData d = m_data;
    d.text = m_text->currentSjis();
    d.folder = folderBytes(m_folder->currentText());
    d.filter = m_filter->currentSjis();
    d.flags = m_options->flags();
    d.subFolders = m_subFolders->isChecked();
    d.openDocuments = m_openDocuments->isChecked();
    d.onlyOnePerFile = m_onlyOne->isChecked();
    return d;
}

}  // namespace orvex::qt
