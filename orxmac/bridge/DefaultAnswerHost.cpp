#include "orxmac/bridge/DefaultAnswerHost.h"

#include "orxmac/MacroTexts.h"

namespace orvex::orxmac {

namespace {

// One line of output: the line ends of a message become blanks.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

}  // namespace

uint32_t lineNumberAt(std::string_view text, uint32_t offset) {
    uint32_t line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    }
    return line;
}

MsgResult DefaultAnswerHost::show(const MessageRequest& request) {
    std::lock_guard lock(m_mutex);
    const std::string caption = request.caption.empty() ? std::string("orvex") : request.caption;
    std::fprintf(m_out, "%s: %s\n", caption.c_str(), oneLine(request.text).c_str());
    std::fflush(m_out);
    return defaultAnswer(request.buttons, request.defaultButton);
}

MsgResult DefaultAnswerHost::macroMessage(const MessageRequest& request) {
    if (!m_report) return show(request);
    std::lock_guard lock(m_mutex);
    // The text as the macro wrote it, one line end for each of its own.
    for (size_t i = 0; i < request.text.size(); ++i) {
        const char c = request.text[i];
        if (c == '\r' && i + 1 < request.text.size() && request.text[i + 1] == '\n') continue;
        std::fputc(c == '\r' ? '\n' : c, m_report);
    }
    std::fputc('\n', m_report);
    std::fflush(m_report);
    return defaultAnswer(request.buttons, request.defaultButton);
}

std::optional<std::string> DefaultAnswerHost::input(const std::string& title) {
    std::lock_guard lock(m_mutex);
    std::fprintf(m_out, "%s: %s\n", std::string(kLibraryCaption).c_str(), oneLine(title).c_str());
    std::fflush(m_out);
    return std::string();
}

void DefaultAnswerHost::runFailed(const std::string& path, std::string_view source, int result, uint32_t position) {
    std::lock_guard lock(m_mutex);
    ++m_failures;
    const int number = result < 0 ? -result : result;
    std::fprintf(m_out, "orvex: %s(%u): Error %d: %s\n", path.c_str(), lineNumberAt(source, position), number,
                 std::string(errorMessage(number)).c_str());
    std::fflush(m_out);
}

}  // namespace orvex::orxmac
