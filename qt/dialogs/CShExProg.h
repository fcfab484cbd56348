#pragma once
// The registration sheet of the external programs (32860 "外部ﾌﾟﾛｸﾞﾗﾑの登録/
// 実行"): ten pages, one per registration, opening on the selected one.
// Each page edits a copy; OK or "実行(&G)" hand the ten copies back, and the
// page shown last is reported however the sheet closes.
#include <QDialog>
#include <array>

#include "shell/FrameHost.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace orvex::qt {

class ExProgPage final : public QWidget {
    Q_OBJECT
public:
    ExProgPage(const settings::ExternalProgram& program, const std::string& currentFile, QWidget* parent = nullptr);

    settings::ExternalProgram program() const;

    QLineEdit* titleField() const { return m_title; }
    QLineEdit* commandField() const { return m_command; }
    QLineEdit* folderField() const { return m_dir; }
    QCheckBox* nameFirstBox() const { return m_nameFirst; }
    QCheckBox* nameLastBox() const { return m_nameLast; }
    QCheckBox* followFileBox() const { return m_dirFile; }
    QCheckBox* captureBox() const { return m_redirect; }

private:
    settings::ExternalProgram m_original;  // keeps what no control shows (ProgTag)
    std::string m_currentFile;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_command = nullptr;
    QLineEdit* m_param = nullptr;
    QLineEdit* m_dir = nullptr;
    QPlainTextEdit* m_env = nullptr;
    QCheckBox* m_nameFirst = nullptr;
    QCheckBox* m_nameLast = nullptr;
    QCheckBox* m_dirFile = nullptr;
    QCheckBox* m_redirect = nullptr;
};

class CShExProg final : public QDialog {
    Q_OBJECT
public:
    explicit CShExProg(const shell::ProgramSheetRequest& request, QWidget* parent = nullptr);

    // Fills the request's registrations (unless cancelled), page and close.
    void finishInto(shell::ProgramSheetRequest& request) const;

    QTabWidget* tabs() const { return m_tabs; }
    ExProgPage* page(int n) const { return m_pages[size_t(n)]; }

private:
    void finish(shell::ProgramSheetRequest::Close close);

    QTabWidget* m_tabs = nullptr;
    std::array<ExProgPage*, settings::kExternalProgramCount> m_pages{};
    shell::ProgramSheetRequest::Close m_close = shell::ProgramSheetRequest::Close::Cancel;
};

}  // namespace orvex::qt
