#pragma once

namespace orvex::qt {

// Connects the process's window-message layer to Qt's event loop: messages
// sent or posted from other threads are answered from the event loop, and
// pumping waits of the user-interface thread keep Qt's events flowing.
// Call once on the user-interface thread after the QApplication exists.
void installMessagePump();
void removeMessagePump();

}  // namespace orvex::qt
