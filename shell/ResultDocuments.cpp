#include "shell/ResultDocuments.h"

#include "common/codepage/Cp932.h"
#include "common/codepage/SjisWalk.h"
#include "common/strings/StringTable.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/FrameHost.h"
#include "text/CLuView.h"

namespace orvex::shell {

namespace {

// Characters a file name cannot hold (besides control characters).
bool excludedFromNames(uint8_t b) {
    switch (b) {
    case '"': case '*': case ',': case '/': case ':': case ';': case '<': case '>': case '?': case '\\': case '|':
        return true;
    default:
        return b < 0x20 || b == 0x7F;
    }
}

void putCaretAtEnd(CLuView& view) { view.placeCursorAtOffset(view.document().text().length()); }

}  // namespace

std::string resultTitleFor(std::string_view s) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    size_t i = 0;
    while (i < s.size()) {
        const int n = sjis::plainStepWithin(p + i, ptrdiff_t(s.size() - i));
        if (n == 1 && excludedFromNames(p[i])) break;
        i += size_t(n);
    }
    if (i == 0) return std::string(strings::text(strings::kSearchResultName));
    return cp932::toUtf8(s.substr(0, i)) + ".tag";
}

EditorWindow* resultWindowFor(EditorSession& session) {
    if (!session.settings().app.findWnd)
        for (EditorWindow* w : session.windows())
            if (w->document().resultInitialised() && w->document().file().tagFile() && !w->document().toolOutput())
                return w;
    return session.newDocument();
}

void beginResult(EditorWindow& window, const std::string& title) {
    EditorDocument& d = window.document();
    d.file().setTagFile(true);
    if (!d.resultInitialised()) {
        d.doc().setTitleBase(title, false);
        if (d.doc().platform().ui) d.doc().platform().ui->updateTitle(&d.doc());
        return;
    }
    EditorSession& s = d.session();
    s.setActiveWindow(&window);
    if (s.frameHost()) s.frameHost()->bringToFront(window);
    d.doc().setReadOnly(false);
    appendResult(window, "\r\n");
}

void appendResult(EditorWindow& window, std::string_view text) {
    if (text.empty()) return;
    CLuView& v = window.activeView();
    CLuDoc& doc = window.document().doc();
    const bool readOnly = doc.readOnly();
    doc.setReadOnly(false);
    putCaretAtEnd(v);
    v.insertText(text, true, 0);
    doc.setReadOnly(readOnly);
}

void finishResult(EditorWindow& window) {
    EditorDocument& d = window.document();
    d.setResultInitialised(true);
    d.setSearchRunning(false);
    if (d.session().settings().document.tagFileWrtProt) d.doc().setReadOnly(true);
    d.doc().setModified(false);
    d.doc().clearModifiedMarks();
    d.doc().clearUndo();
    if (d.doc().platform().ui) d.doc().platform().ui->updateTitle(&d.doc());
}

bool resultEmpty(EditorWindow& window) { return window.document().doc().text().length() == 0; }

}  // namespace orvex::shell
