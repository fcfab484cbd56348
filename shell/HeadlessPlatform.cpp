#include "shell/HeadlessPlatform.h"

namespace orvex::shell {

namespace {

const char* nameOf(MsgResult r) {
    switch (r) {
    case MsgResult::Ok: return "OK";
    case MsgResult::Cancel: return "Cancel";
    case MsgResult::Abort: return "Abort";
    case MsgResult::Retry: return "Retry";
    case MsgResult::Ignore: return "Ignore";
    case MsgResult::Yes: return "Yes";
    case MsgResult::No: return "No";
    }
    return "OK";
}

// Message texts may hold line breaks of either kind; one message, one
// paragraph on the terminal.
void writeText(std::FILE* out, const std::string& text) {
    for (char c : text) {
        if (c == '\r') continue;
        std::fputc(c, out);
    }
}

}  // namespace

MsgResult HeadlessMessages::show(const MessageRequest& request) {
    ++m_shown;
    const MsgResult answer = defaultAnswer(request.buttons, request.defaultButton);
    std::fputs("orvex: ", m_out);
    if (!request.caption.empty()) std::fprintf(m_out, "%s: ", request.caption.c_str());
    writeText(m_out, request.text);
    if (request.buttons != MsgButtons::Ok) std::fprintf(m_out, " [%s]", nameOf(answer));
    std::fputc('\n', m_out);
    std::fflush(m_out);
    return answer;
}

int HeadlessMessages::choose(const ChoiceRequest& request) {
    ++m_shown;
    const int answer =
        request.buttons.empty() ? -1
        : (request.defaultButton >= 0 && size_t(request.defaultButton) < request.buttons.size()) ? request.defaultButton
                                                                                               : 0;
    std::fputs("orvex: ", m_out);
    writeText(m_out, request.text);
    if (answer >= 0) std::fprintf(m_out, " [%s]", request.buttons[size_t(answer)].c_str());
    std::fputc('\n', m_out);
    std::fflush(m_out);
    return answer;
}

std::optional<FileDialogResult> HeadlessFileDialogs::ask(const FileDialogRequest& request) {
    std::fprintf(m_out, "orvex: no file dialog without a display (%s): cancelled\n",
                 request.title.empty() ? (request.save ? "save" : "open") : request.title.c_str());
    std::fflush(m_out);
    return std::nullopt;
}

}  // namespace orvex::shell
