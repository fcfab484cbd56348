#include "orxmac/bridge/HostBuiltins.h"

#include <unistd.h>

#include <climits>
#include <string>

#include "common/codepage/Cp932.h"
#include "orxmac/BuiltinRegistry.h"
#include "orxmac/MacroInterpreter.h"
#include "orxmac/MacroTexts.h"
#include "orxmac/bridge/MacroHostUi.h"
#include "tools/ChildProcess.h"

namespace orvex::orxmac {

namespace {

// The first blank-separated word of a command line (the program, unless
// the shell reads it otherwise; programFound lets such words through).
std::string firstPlainWord(const std::string& line) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) return {};
    size_t end = line.find_first_of(" \t", start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

int32_t messageBoxAnswer(int result) {
    switch (static_cast<MsgResult>(result)) {
    case MsgResult::Cancel: return 1;
    case MsgResult::Yes: return 2;
    case MsgResult::No: return 3;
    default: return 0;
    }
}

bool startProgram(const std::string& commandLine) {
    const std::string word = firstPlainWord(commandLine);
    // A program that is not there fails here; the shell would only say so
    // on its own standard error, which nobody reads.
    if (word.empty() || !tools::programFound(word, std::string(), nullptr)) return false;
    tools::ProgramRun run;
    run.commandLine = commandLine;
    int error = 0;
    return tools::ChildProcess::startDetached(run, error);
}

void registerDialogBuiltins(BuiltinRegistry& registry, MacroHostUi& ui) {
    MacroHostUi* host = &ui;
    registry.add("MessageBox", [host](MacroInterpreter& m, BuiltinResult& out) {
        std::string text;
        int32_t type = 0;
        if (int e = m.argStr(text)) return e;
        if (int e = m.argSeparator()) return e;
        if (int e = m.argInt(type)) return e;
        if (int e = m.argEnd()) return e;
        MessageRequest request;
        request.text = cp932::toUtf8(text);
        request.caption = std::string(kLibraryCaption);
        request.buttons = type == 1 ? MsgButtons::YesNo : type == 2 ? MsgButtons::YesNoCancel : MsgButtons::Ok;
        out.setInt(messageBoxAnswer(static_cast<int>(host->macroMessage(request))));
        return 0;
    });
    registry.add("Input", [host](MacroInterpreter& m, BuiltinResult& out) {
        std::string title;
        if (int e = m.argStr(title)) return e;
        if (int e = m.argEnd()) return e;
        const std::optional<std::string> answer = host->input(cp932::toUtf8(title));
        out.setStr(answer ? cp932::fromUtf8(*answer) : std::string());
        return 0;
    });
}

void registerProcessBuiltins(BuiltinRegistry& registry, MacroHostUi& ui, MacroSleeper& sleeper) {
    MacroHostUi* host = &ui;
    MacroSleeper* sleep = &sleeper;
    registry.add("GetDir", [](MacroInterpreter& m, BuiltinResult& out) {
        if (int e = m.argEnd()) return e;
        char buffer[PATH_MAX];
        out.setStr(getcwd(buffer, sizeof buffer) ? cp932::fromUtf8(buffer) : std::string());
        return 0;
    });
    registry.add("SetDir", [host](MacroInterpreter& m, BuiltinResult& out) {
        std::string path;
        if (int e = m.argStr(path)) return e;
        if (int e = m.argEnd()) return e;
        if (path.empty() || chdir(cp932::toUtf8(path).c_str()) != 0)
            libraryMessage(*host, kSetDirFailed, kLibraryCaption);
        out.setInt(0);
        return 0;
    });
    registry.add("Run", [host](MacroInterpreter& m, BuiltinResult& out) {
        std::string line;
        if (int e = m.argStr(line)) return e;
        if (int e = m.argEnd()) return e;
        if (!startProgram(cp932::toUtf8(line))) libraryMessage(*host, kRunFailed, kLibraryCaption);
        out.setInt(0);
        return 0;
    });
    registry.add("Sleep", [sleep](MacroInterpreter& m, BuiltinResult& out) {
        int32_t ms = 0;
        if (int e = m.argInt(ms)) return e;
        if (int e = m.argEnd()) return e;
        if (ms > 0) sleep->sleepFor(ms);
        out.setInt(0);
        return 0;
    });
}

}  // namespace orvex::orxmac
