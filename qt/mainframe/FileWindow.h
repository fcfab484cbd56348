#pragma once
// The file window (32970 "ﾌｧｲﾙﾋﾞｭｰ"): a docked tree of the folder in
// FileWinPath, showing the files that match one of the open dialog's user
// filters (FileWinFilter picks it); activating a file opens it in the
// editor. The folder field changes the tree's folder.
#include <QDockWidget>
#include <functional>
#include <string>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace orvex::settings {
struct AppOptions;
struct FrameOptions;
}

namespace orvex::qt {

class FileWindow final : public QDockWidget {
    Q_OBJECT
public:
    // open: opens a file (a UTF-8 path) in the editor.
    FileWindow(settings::FrameOptions& frame, const settings::AppOptions& app,
               std::function<void(const std::string& path)> open, QWidget* parent = nullptr);

    // Shows `folder` (an existing folder; others are ignored) and keeps it
    // as FileWinPath.
    void showFolder(const QString& folder);
    QString folder() const;

    QTreeView* tree() const { return m_tree; }
    QComboBox* filterBox() const { return m_filter; }
    QFileSystemModel* model() const { return m_model; }

private:
    void applyFilter(int index);

    settings::FrameOptions& m_frame;
    const settings::AppOptions& m_app;
    std::function<void(const std::string&)> m_open;
    QLineEdit* m_path = nullptr;
    QComboBox* m_filter = nullptr;
    QTreeView* m_tree = nullptr;
    QFileSystemModel* m_model = nullptr;
};

}  // namespace orvex::qt
