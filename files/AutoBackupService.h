#pragma once
// The main frame's automatic backups: a 10,000 ms timer whose ticks count
// against AutoBackupTime × 6; when they pass it, every open document gets
// its automatic backup step (DocumentFile::autoBackupStep). The main frame
// owns one service; whoever opens and closes documents registers them.
#include <vector>

#include "common/platform/Timers.h"
#include "files/AutoBackup.h"
#include "settings/AppOptions.h"

namespace orvex::files {

class DocumentFile;

class AutoBackupService {
public:
    // Both pointers are borrowed; app may be null (no automatic backups).
    AutoBackupService(Timers* timers, const settings::AppOptions* app);
    ~AutoBackupService();
    AutoBackupService(const AutoBackupService&) = delete;
    AutoBackupService& operator=(const AutoBackupService&) = delete;

    // Starts and stops the timer (the main frame starts it once it exists).
    void start();
    void stop();
    bool running() const { return m_timer != 0; }

    void add(DocumentFile& document);
    void remove(DocumentFile& document);
    const std::vector<DocumentFile*>& documents() const { return m_documents; }

    // One timer tick.
    void tick();
    const AutoBackupClock& clock() const { return m_clock; }

private:
    Timers* m_timers;
    const settings::AppOptions* m_app;
    Timers::TimerId m_timer = 0;
    AutoBackupClock m_clock;
    std::vector<DocumentFile*> m_documents;
};

}  // namespace orvex::files
