#pragma once
// The table of extra characters of the document the user works in, for
// texts that are not any one document's: the find box, the search and
// replace dialogs. Their strings convert through it without making new
// entries, so that a character only the active document holds (an emoji it
// was loaded with) can be searched for there. The main window sets the
// provider; without one the plain code page conversion applies.
#include <functional>

namespace orvex::cp932 {
class PrivateCharTable;
}

namespace orvex::qt {

void setActiveTextTable(std::function<cp932::PrivateCharTable*()> provider);
cp932::PrivateCharTable* activeTextTable();

}  // namespace orvex::qt
