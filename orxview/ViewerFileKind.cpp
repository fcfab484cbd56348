#include "orxview/ViewerFileKind.h"

#include <cctype>
#include <cstdint>

namespace orvex::viewer {

namespace {

bool hasExtension(std::string_view path, std::string_view ext) {
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() < ext.size()) return false;
    const std::string_view tail = name.substr(name.size() - ext.size());
    for (size_t i = 0; i < ext.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ext[i]) return false;
    return true;
}

}  // namespace

FileKind fileKindOf(std::string_view head, std::string_view path, bool forceDump) {
    if (forceDump) return FileKind::HexDump;
    if (head.substr(0, 5) == "{\\rtf") return FileKind::RichText;
    static constexpr unsigned char kCompound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (head.size() >= 8 && std::equal(kCompound, kCompound + 8, head.begin(),
                                       [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }) &&
        hasExtension(path, ".doc"))
        return FileKind::Word;
    if (head.size() >= 2) {
        const unsigned word = static_cast<unsigned char>(head[0]) | static_cast<unsigned char>(head[1]) << 8;
        if ((word == 0xBE31 || word == 0xBE32) && hasExtension(path, ".wri")) return FileKind::Write;
    }
    return FileKind::HexDump;
}

std::string viewerTitle(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string missingConverterMessage(FileKind kind) {
    const char* first = kind == FileKind::Word ? "このﾌｧｲﾙはWord文書です" : "このﾌｧｲﾙはWrite文書です";
    return std::string(first) + "\nﾜｰﾄﾞﾊﾟｯﾄﾞ(Windows付属)がｲﾝｽﾄｰﾙされていれば文書を表示できます";
}

}  // namespace orvex::viewer
