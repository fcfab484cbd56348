#include "shell/UrlLaunch.h"

#include <cctype>

#include "common/codepage/Cp932.h"
#include "common/platform/Platform.h"
#include "common/strings/StringTable.h"
#include "display/LinkScanner.h"
#include "settings/FrameOptions.h"
#include "text/CLuView.h"

namespace orvex::shell {

std::optional<FoundUrl> urlAt(std::string_view row, int32_t column, bool allowDoubleByte) {
    const auto* p = reinterpret_cast<const uint8_t*>(row.data());
    const auto n = int32_t(row.size());
    std::vector<ByteSpan> spans;
    findUrls(p, n, allowDoubleByte, spans);
    for (const ByteSpan& s : spans) {
        if (column < s.begin || column >= s.end) continue;
        FoundUrl u;
        u.text.assign(row.substr(size_t(s.begin), size_t(s.end - s.begin)));
        const bool ftp = u.text.size() >= 3 && std::tolower(static_cast<unsigned char>(u.text[0])) == 'f' &&
                         std::tolower(static_cast<unsigned char>(u.text[1])) == 't' &&
                         std::tolower(static_cast<unsigned char>(u.text[2])) == 'p';
        u.kind = ftp ? UrlKind::FileTransfer : UrlKind::Web;
        return u;
    }
    spans.clear();
    findMailAddresses(p, n, spans);
    for (const ByteSpan& s : spans) {
        if (column < s.begin || column >= s.end) continue;
        return FoundUrl{std::string(row.substr(size_t(s.begin), size_t(s.end - s.begin))), UrlKind::Mail};
    }
    return std::nullopt;
}

std::vector<std::string> launchArguments(std::string_view command, std::string_view url) {
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false, any = false, substituted = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any) args.push_back(std::move(current));
            current.clear();
            any = false;
        } else if (c == '%' && i + 1 < command.size()) {
            current.append(url);
            ++i;  // "%" and the letter after it
            substituted = any = true;
        } else {
            current.push_back(c);
            any = true;
        }
    }
    if (any) args.push_back(std::move(current));
    if (!args.empty() && !substituted) args.emplace_back(url);
    return args;
}

bool launchUrlAtCaret(CLuView& view, const settings::FrameOptions& options, const Platform& platform) {
    const TextStore& t = view.document().text();
    const TextPosition c = view.cursor();
    if (c.row < 0 || c.row >= t.rowCount()) return false;
    const std::string_view row(t.pointer(c.row, 0), size_t(t.endColumn(c.row)));
    const std::optional<FoundUrl> found = urlAt(row, c.byteColumn, options.urlKanji != 0);
    if (!found) return false;
    // Arguments leave the editor as UTF-8, like every other text.
    const std::string url = cp932::toUtf8(found->text);
    const std::string& command = found->kind == UrlKind::Mail           ? options.mailPath
                                 : found->kind == UrlKind::FileTransfer ? options.ftpPath
                                                                        : options.httpPath;
    bool started = false;
    if (platform.launcher) {
        if (command.empty()) {
            started = platform.launcher->openUrl(found->kind == UrlKind::Mail ? "mailto:" + url : url);
        } else {
            started = platform.launcher->startDetached(launchArguments(cp932::toUtf8(command), url));
        }
    }
    if (!started && platform.messages)
        platform.messages->showId(strings::kProgramStartFailed, MsgIcon::Exclamation, MsgButtons::Ok);
    return true;
}

}  // namespace orvex::shell
