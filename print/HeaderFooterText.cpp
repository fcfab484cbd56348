#include "print/HeaderFooterText.h"

#include <cstdio>
#include <vector>

#include "common/codepage/SjisWalk.h"

namespace orvex::print {

namespace {

std::string formatTime(const std::tm& t, const char* format) {
    char buf[64];
    const size_t n = std::strftime(buf, sizeof buf, format, &t);
    return std::string(buf, n);
}

struct Piece {
    std::string text;
    bool literal;  // written by the user, still open to expansion
};

}  // namespace

std::string_view lastPathComponent(std::string_view path) {
    const auto* p = reinterpret_cast<const uint8_t*>(path.data());
    const ptrdiff_t n = ptrdiff_t(path.size());
    ptrdiff_t from = 0;
    for (ptrdiff_t i = 0; i < n; i += sjis::plainStepWithin(p + i, n - i))
        if (p[i] == '/' || p[i] == '\\') from = i + 1;
    return path.substr(size_t(from));
}

bool needsTotalPages(std::string_view text) { return text.find("&P") != std::string_view::npos; }

std::string expandHeaderFooter(std::string_view text, const HeaderFooterValues& v) {
    const std::string page = std::to_string(v.page);
    const std::string total = std::to_string(v.totalPages);
    const std::string name(lastPathComponent(v.pathOrTitle));
    const std::string date = formatTime(v.printed, "%y/%m/%d");
    const std::string time = formatTime(v.printed, "%H:%M:%S");
    const std::string fileDate = v.fileTime ? formatTime(*v.fileTime, "%y/%m/%d") : std::string();
    const std::string fileTime = v.fileTime ? formatTime(*v.fileTime, "%H:%M:%S") : std::string();
    const std::pair<const char*, const std::string*> table[] = {
        {"&p", &page}, {"&P", &total}, {"&f", &v.pathOrTitle}, {"&F", &name},
        {"&d", &date}, {"&t", &time},  {"&D", &fileDate},      {"&T", &fileTime},
    };

    std::vector<Piece> pieces{{std::string(text), true}};
    for (const auto& [key, value] : table) {
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (!pieces[i].literal) continue;
            const size_t at = pieces[i].text.find(key);
            if (at == std::string::npos) continue;
            Piece after{pieces[i].text.substr(at + 2), true};
            pieces[i].text.resize(at);
            pieces.insert(pieces.begin() + ptrdiff_t(i) + 1, Piece{*value, false});
            pieces.insert(pieces.begin() + ptrdiff_t(i) + 2, std::move(after));
            break;
        }
    }
    std::string out;
    for (const Piece& piece : pieces) out += piece.text;
    return out;
}

}  // namespace orvex::print
