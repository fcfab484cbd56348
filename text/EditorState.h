#pragma once
// The input states shared by every view of the editor. The main frame owns
// one EditorState for the whole run; views keep a pointer to it. They
// outlive views: closing a window keeps overwrite mode, box mode and the
// rest as they were.
#include "text/ViewOptions.h"

namespace orvex {

struct EditorState {
    int insOver = 0;                 // 0 insert, 1 overwrite (command 32781)
    bool selectionMode = false;      // every move extends the selection (Shift held, command 33042)
    bool controlHeld = false;        // Ctrl is held (shown in the status bar)
    bool boxMode = false;            // box selection and rectangular paste (command 32920)
    bool ruledLineMode = false;      // ruled-line drawing (command 32921)
    bool indentedInsertion = false;  // Insert opens and closes an insertion gap (command 32916)
    bool modalRunning = false;       // a modal operation of the main frame runs: no cursor updates

    // The states that start from settings.
    void initialise(const ViewGlobalOptions& o) {
        insOver = o.insOver ? 1 : 0;
        boxMode = o.boxSel != 0;
        indentedInsertion = o.oasysIns != 0;
        if (indentedInsertion) insOver = 1;
    }
};

}  // namespace orvex
