#pragma once
// Qt's own texts (the standard buttons "はい", "いいえ", "キャンセル", the
// file dialog) in Japanese, like the rest of the program, whatever the
// system's language: Qt's Japanese translations are loaded from the
// install's translations folder.
class QCoreApplication;

namespace orvex::qt {

// True when the translations were found and installed.
bool installQtTranslations(QCoreApplication& app);
// Removes them again (tests).
void removeQtTranslations(QCoreApplication& app);

// The program's version, as the About box shows it.
const char* programVersion();

}  // namespace orvex::qt
