#pragma once
// A host without a screen (batch runs, the command-line runner): every
// message goes to standard error as UTF-8 and every question takes its
// default answer: a message box its default button (Yes for the Yes/No
// kinds, OK otherwise), Input the empty string. A failed run is reported
// as one line, "orvex: PATH(LINE): Error N: message", instead of the error
// box.
#include <cstdio>
#include <mutex>
#include <string>

#include "orxmac/bridge/MacroHostUi.h"

namespace orvex::orxmac {

class DefaultAnswerHost final : public MacroHostUi {
public:
    explicit DefaultAnswerHost(std::FILE* out = stderr) : m_out(out) {}
    // With a report stream the MessageBox built-in's text goes there alone,
    // as the macro's output (batch mode: standard output); the other
    // messages stay on `out`.
    DefaultAnswerHost(std::FILE* out, std::FILE* report) : m_out(out), m_report(report) {}

    MsgResult show(const MessageRequest& request) override;
    MsgResult macroMessage(const MessageRequest& request) override;
    std::optional<std::string> input(const std::string& title) override;
    MessageBoxes* errorBox() override { return nullptr; }
    void runFailed(const std::string& path, std::string_view source, int result, uint32_t position) override;

    // Runs that failed so far.
    int failures() const { return m_failures; }

private:
    std::FILE* m_out;
    std::FILE* m_report = nullptr;
    std::mutex m_mutex;
    int m_failures = 0;
};

// The line of `text` that holds `offset`, counted from 1 (CR LF, CR and LF
// each end a line).
uint32_t lineNumberAt(std::string_view text, uint32_t offset);

}  // namespace orvex::orxmac
