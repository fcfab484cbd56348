#include "shell/BatchRun.h"

#include "files/FileInfo.h"
#include "shell/EditorDocument.h"
#include "shell/EditorSession.h"
#include "shell/EditorWindow.h"
#include "shell/HeadlessPlatform.h"
#include "shell/InstanceControl.h"
#include "shell/MacroLibraryBinding.h"
#include "winmsg/MessageLayer.h"

namespace orvex::shell {

std::optional<BatchArguments> parseBatchArguments(const std::vector<std::string>& words, std::string& error) {
    BatchArguments args;
    bool optionsEnd = false;
    for (const std::string& w : words) {
        if (!optionsEnd && w == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && w.size() > 1 && w[0] == '-') {
            error = "unknown option in batch mode: " + w;
            return std::nullopt;
        }
        if (args.macro.empty()) args.macro = w;
        else args.files.push_back(w);
    }
    if (args.macro.empty()) {
        error = "--batch needs a macro file";
        return std::nullopt;
    }
    return args;
}

namespace {

// The message layer's user-interface thread for the length of the run.
struct UiThreadScope {
    UiThreadScope() { win::attachUiThread(); }
    ~UiThreadScope() { win::detachUiThread(); }
};

}  // namespace

int runBatch(const BatchArguments& args, const settings::SettingsEnvironment& env, const MacroBatchEntry& entry,
             std::FILE* err) {
    if (!files::fileExists(args.macro)) {
        std::fprintf(err, "orvex: %s: no such macro file\n", args.macro.c_str());
        return 1;
    }
    for (const std::string& f : args.files) {
        if (!files::fileExists(f)) {
            std::fprintf(err, "orvex: %s: no such file\n", f.c_str());
            return 1;
        }
    }
    HeadlessPlatform headless;
    headless.messages = HeadlessMessages(err);
    headless.fileDialogs = HeadlessFileDialogs(err);
    UiThreadScope ui;
    // The user's settings are read; the session is never asked to save
    // them, and closing it asks nothing of its documents.
    EditorSession session(env, headless.platform(), true);
    const win::Handle main = session.instanceControl().attach();
    for (const std::string& f : args.files) {
        if (!session.openFile(f)) {
            std::fprintf(err, "orvex: %s: could not be opened\n", f.c_str());
            return 1;
        }
    }
    const win::Handle view = session.activeViewHandle();
    const int rc = entry ? entry(main, view, args.macro.c_str())
                         : session.macroLibrary().runBatch(args.macro, main, view);
    // What the macro changed and did not save is not saved for it; say so.
    for (EditorWindow* w : session.windows()) {
        const EditorDocument& d = w->document();
        if (d.doc().isModified())
            std::fprintf(err, "orvex: %s: changes not saved\n", d.untitled() ? "(untitled)" : d.path().c_str());
    }
    return rc == 0 ? 0 : 1;
}

}  // namespace orvex::shell
