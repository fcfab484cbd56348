#include "files/AutoBackupService.h"

#include <algorithm>

#include "files/DocumentFile.h"

namespace orvex::files {

AutoBackupService::AutoBackupService(Timers* timers, const settings::AppOptions* app)
    : m_timers(timers), m_app(app) {}

AutoBackupService::~AutoBackupService() { stop(); }

void AutoBackupService::start() {
    if (m_timer != 0 || !m_timers) return;
    m_timer = m_timers->start(AutoBackupClock::kTickMilliseconds, [this] { tick(); });
}

void AutoBackupService::stop() {
    if (m_timer != 0 && m_timers) m_timers->stop(m_timer);
    m_timer = 0;
}

void AutoBackupService::add(DocumentFile& document) {
    if (std::find(m_documents.begin(), m_documents.end(), &document) == m_documents.end())
        m_documents.push_back(&document);
}

void AutoBackupService::remove(DocumentFile& document) {
    m_documents.erase(std::remove(m_documents.begin(), m_documents.end(), &document), m_documents.end());
}

void AutoBackupService::tick() {
    if (!m_app || !m_clock.tick(m_app->autoBackup, m_app->autoBackupTime)) return;
    // A copy: a message box shown by a step may let a document close.
    const std::vector<DocumentFile*> documents = m_documents;
    for (DocumentFile* d : documents)
        if (std::find(m_documents.begin(), m_documents.end(), d) != m_documents.end()) d->autoBackupStep();
}

}  // namespace orvex::files
