#pragma once
// The options sheet (33501 "ｵﾌﾟｼｮﾝの設定"): one tab per page over a draft
// of the options, with OK, "ｷｬﾝｾﾙ" and "適用". "適用" hands the draft to
// the apply function (every window follows it at once) and shows the
// values as they were stored (clamped); OK stores the pages into the draft
// and closes; the caller applies it. The URL launch command (33056) shows
// the same sheet with its one page.
//
// The pages are built in tab order, so a keyboard walk goes through the
// tabs, each page's controls in their order, then the buttons; every
// control has its access letter.
#include <QDialog>
#include <functional>
#include <vector>

#include "shell/SettingsDialogs.h"

class QPushButton;
class QTabWidget;

namespace orvex::qt {

class OptionForm;

class CSheet final : public QDialog {
    Q_OBJECT
public:
    CSheet(shell::OptionsDraft& draft, shell::OptionsSheetKind kind,
           std::function<void(const shell::OptionsDraft&)> apply, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    // Page i (in tab order).
    OptionForm* page(int i) const { return m_pages[size_t(i)]; }
    int pageCount() const { return int(m_pages.size()); }
    QPushButton* applyButton() const { return m_apply; }

    void accept() override;

private:
    void addPage(OptionForm* page, const char* title);
    void storePages();
    void loadPages();
    void applyNow();

    shell::OptionsDraft& m_draft;
    std::function<void(const shell::OptionsDraft&)> m_applyFn;
    QTabWidget* m_tabs = nullptr;
    QPushButton* m_apply = nullptr;
    std::vector<OptionForm*> m_pages;
};

}  // namespace orvex::qt
