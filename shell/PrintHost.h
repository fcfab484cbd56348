#pragma once
// What the print commands ask of the window system: the page-layout
// dialog, the printer set-up, and a print job or a preview on the
// platform's printer. The Qt layer implements it on Qt Print Support; a
// session without one greys the print commands out.
#include <functional>
#include <vector>

#include "print/DocumentPrint.h"
#include "settings/PrintOptions.h"

namespace orvex::shell {

// Which pages a job prints: from..to as the print dialog gave them (to < 1:
// all pages) and the existence of each page; called once the device and
// pagination exist.
using PageChooser = std::function<std::vector<int>(int from, int to, const std::function<bool(int)>& exists)>;
// Told after the job which pages it printed, while the pagination still
// exists.
using JobFinished = std::function<void(const std::vector<int>& printed, const std::function<bool(int)>& exists)>;

struct PrintJobRequest {
    print::PrintDocument document;
    settings::PageLayoutFormat format;
    bool showDialog = true;      // false: the job runs on the printer as it is
    bool allowPageRange = true;  // the dialog offers a page range
    PageChooser choosePages;
    JobFinished finished;
};

class PrintHost {
public:
    enum class LayoutAnswer { Cancel, Ok, Preview, Print };
    virtual ~PrintHost() = default;
    // The page-layout dialog over the session's formats; it writes them back
    // only on OK (and applies paper and orientation to the printer).
    // openedByPrint disables its preview and print buttons.
    virtual LayoutAnswer editPageLayouts(bool openedByPrint) = 0;
    // The printer set-up dialog.
    virtual void printerSetup() = 0;
    // One job: the print dialog unless request.showDialog is false, then the
    // pages request.choosePages returns. False when cancelled or failed
    // (a failure was reported).
    virtual bool runJob(const PrintJobRequest& request) = 0;
    // The preview of every page; false when it could not be shown.
    virtual bool preview(const PrintJobRequest& request) = 0;
};

}  // namespace orvex::shell
