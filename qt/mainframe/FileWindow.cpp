#include "qt/mainframe/FileWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/platform/QtText.h"
#include "settings/AppOptions.h"
#include "settings/FrameOptions.h"

namespace orvex::qt {

FileWindow::FileWindow(settings::FrameOptions& frame, const settings::AppOptions& app,
                       std::function<void(const std::string& path)> open, QWidget* parent)
    : QDockWidget(QString::fromUtf8("ﾌｧｲﾙﾋﾞｭｰ"), parent), m_frame(frame), m_app(app), m_open(std::move(open)) {
    setObjectName(QStringLiteral("FileWindow"));
    auto* body = new QWidget;
    m_path = new QLineEdit;
    m_filter = new QComboBox;
    // The user filters of the open dialog (Shift JIS settings), as they
    // stand: "*.txt;*.log" and the like.
    for (const std::string& f : m_app.usrFileFilter)
        if (!f.empty()) m_filter->addItem(toQString(f));
    m_model = new QFileSystemModel(this);
    m_model->setNameFilterDisables(false);
    m_model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_tree = new QTreeView;
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c) m_tree->hideColumn(c);
    m_tree->header()->hide();
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_path);
    layout->addWidget(m_filter);
    layout->addWidget(m_tree, 1);
    setWidget(body);

    connect(m_path, &QLineEdit::returnPressed, this, [this] { showFolder(m_path->text()); });
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this](int i) { applyFilter(i); });
    connect(m_tree, &QTreeView::activated, this, [this](const QModelIndex& index) {
        const QFileInfo info = m_model->fileInfo(index);
        if (info.isFile() && m_open) m_open(info.absoluteFilePath().toStdString());
    });

    const int filter = std::clamp(m_frame.fileWinFilter, 0, std::max(0, m_filter->count() - 1));
    m_filter->setCurrentIndex(filter);
    applyFilter(filter);
    const QString stored = QString::fromStdString(m_frame.fileWinPath);
    showFolder(QFileInfo(stored).isDir() ? stored : QDir::homePath());
}

void FileWindow::applyFilter(int index) {
    if (index < 0) return;
    m_frame.fileWinFilter = index;
    QStringList patterns;
    for (const QString& p : m_filter->itemText(index).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        // "*.*" means every file, with or without a dot.
        patterns << (p.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*") : p.trimmed());
    }
    m_model->setNameFilters(patterns);
}

void FileWindow::showFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) {
        m_path->setText(this->folder());
        return;
    }
    const QString path = info.absoluteFilePath();
    m_tree->setRootIndex(m_model->setRootPath(path));
    m_path->setText(path);
    m_frame.fileWinPath = path.toStdString();
}

QString FileWindow::folder() const { return m_model->rootPath(); }

}  // namespace orvex::qt
