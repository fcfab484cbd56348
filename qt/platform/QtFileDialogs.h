#pragma once
#include <QPointer>
#include <QWidget>

#include "common/platform/FileDialogs.h"

namespace orvex::qt {

// Open and save dialogs with the character-code and line-end lists added
// below the file list when the request carries them.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    std::optional<FileDialogResult> ask(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace orvex::qt
