#include "orxmac/MacroError.h"

#include <cstdio>

#include "common/codepage/Cp932.h"
#include "orxmac/MacroTexts.h"

namespace orvex::orxmac {

namespace {

std::string numberedHead(int result, const char* format) {
    char head[32];
    std::snprintf(head, sizeof head, format, result < 0 ? -result : result);
    return head;
}

bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\f'; }

}  // namespace

std::string_view errorLine(std::string_view source, uint32_t position) {
    // The source may carry its terminating NUL; the line never runs past it.
    size_t end = source.find('\0');
    if (end != std::string_view::npos) source = source.substr(0, end);
    size_t pos = position < source.size() ? position : source.size();
    size_t start = pos;
    while (start > 0 && source[start - 1] != '\r' && source[start - 1] != '\n') --start;
    if (start > 0) --start;  // the break before the error belongs to the quoted text
    size_t stop = pos;
    while (stop < source.size() && !isLineEnd(source[stop])) ++stop;
    // The position may stand on a line end itself; the quoted text then ends there.
    return source.substr(start, stop - start);
}

std::string errorReportText(int result, std::string_view source, uint32_t position) {
    std::string text = numberedHead(result, "Error %d ");
    text += errorMessage(result < 0 ? -result : result);
    text += "\r\n";
    text += cp932::toUtf8(errorLine(source, position));
    return text;
}

std::string errorReportSjis(int result, std::string_view source, uint32_t position) {
    std::string text = numberedHead(result, "Error %d ");
    text += cp932::fromUtf8(errorMessage(result < 0 ? -result : result));
    text += "\r\n";
    text += errorLine(source, position);
    return text;
}

std::string debugResultText(int result) {
    if (result >= 0) return std::string(kCompleteText);
    std::string text = numberedHead(result, "Error %d\r\n");
    text += errorMessage(-result);
    return text;
}

}  // namespace orvex::orxmac
