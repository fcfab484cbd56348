#include "shell/HeadlessPlatform.h"

#include <vector>

namespace orvex::shell {

namespace {

std::vector<MsgResult> buttonsOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok: return {MsgResult::Ok};
    case MsgButtons::OkCancel: return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo: return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel: return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::RetryCancel: return {MsgResult::Retry, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    }
    return {MsgResult::Ok};
}

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

MsgResult defaultAnswer(MsgButtons buttons, int defaultButton) {
    const std::vector<MsgResult> all = buttonsOf(buttons);
    if (defaultButton < 0 || size_t(defaultButton) >= all.size()) return all.front();
    return all[size_t(defaultButton)];
}

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
