#include "orxmac/MacroSource.h"

#include <fstream>
#include <iterator>
#include <limits>

namespace orvex::orxmac {

MacroSource::MacroSource(std::string_view fileBytes) {
    if (!fileBytes.empty() && static_cast<uint8_t>(fileBytes.back()) == 0x1A) fileBytes.remove_suffix(1);
    // Offsets are 32-bit; a text that long is cut rather than misaddressed.
    constexpr size_t kMaxSize = std::numeric_limits<int32_t>::max() - 64;
    if (fileBytes.size() > kMaxSize) fileBytes = fileBytes.substr(0, kMaxSize);
    m_size = static_cast<uint32_t>(fileBytes.size());
    m_text.reserve(fileBytes.size() + 1 + kPadding);
    m_text.assign(fileBytes);
    m_text.append(1 + kPadding, '\0');
}

bool MacroSource::readFile(const std::string& path, MacroSource& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    out = MacroSource(bytes);
    return true;
}

}  // namespace orvex::orxmac
