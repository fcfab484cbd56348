#include "qt/macro/MacroRunningDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "orxmac/bridge/MacroLibrary.h"
#include "qt/macro/MacroDialogTexts.h"

namespace orvex::qt {

MacroRunningDialog::MacroRunningDialog(std::shared_ptr<orxmac::CMacExe> exe, QWidget* parent)
    : QDialog(parent), m_exe(std::move(exe)) {
    setWindowTitle(QString::fromUtf8(macrotexts::kRunningCaption));
    auto* layout = new QVBoxLayout(this);
    m_abort = new QPushButton(QString::fromUtf8(macrotexts::kAbort), this);
    m_abort->setDefault(true);
    layout->addWidget(m_abort);
    connect(m_abort, &QPushButton::clicked, this, [this] {
        stopAndWait();
        accept();
    });
    m_handle = win::registerWindow(this);
    m_exe->setNotificationWindow(m_handle);
}

MacroRunningDialog::~MacroRunningDialog() {
    win::unregisterWindow(m_handle);
}

int MacroRunningDialog::run() {
    if (!m_exe->start(false)) return QDialog::Rejected;
    return exec();
}

void MacroRunningDialog::stopAndWait() {
    if (m_exe->stopFlag() != orxmac::kStopRequested) m_exe->requestStop();
    m_exe->resume();
    m_exe->waitPumping(orxmac::MacroLibrary::kStopSliceMs);
}

void MacroRunningDialog::reject() {
    stopAndWait();
    QDialog::reject();
}

win::LResult MacroRunningDialog::onMessage(uint32_t msg, win::WParam, win::LParam) {
    if (msg == orxmac::kMsgEnd) {
        m_exe->waitPumping(orxmac::MacroLibrary::kStopSliceMs);
        // Queued, so that an end that arrives before the dialog's own loop
        // runs still closes it.
        QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
    }
    return 0;
}

}  // namespace orvex::qt
