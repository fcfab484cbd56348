#include "tools/EnvironmentText.h"

#include <cstdint>

#include "common/codepage/SjisWalk.h"

extern char** environ;

namespace orvex::tools {

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool startsWithSet(std::string_view s) {
    if (s.size() < 4) return false;
    return (s[0] == 's' || s[0] == 'S') && (s[1] == 'e' || s[1] == 'E') && (s[2] == 't' || s[2] == 'T') &&
           isBlank(s[3]);
}

// The first "%name%" in `value` that starts on a character boundary.
size_t findReference(std::string_view value, std::string_view name) {
    const std::string ref = "%" + std::string(name) + "%";
    const auto* p = reinterpret_cast<const uint8_t*>(value.data());
    for (size_t i = 0; i < value.size();) {
        if (value.compare(i, ref.size(), ref) == 0) return i;
        i += size_t(sjis::plainStepWithin(p + i, ptrdiff_t(value.size() - i)));
    }
    return std::string_view::npos;
}

}  // namespace

Environment Environment::current() {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) entries.emplace_back(*e);
    return Environment(std::move(entries));
}

std::optional<std::string> Environment::get(std::string_view name) const {
    for (const std::string& e : m_entries)
        if (e.size() > name.size() && e[name.size()] == '=' && e.compare(0, name.size(), name) == 0)
            return e.substr(name.size() + 1);
    return std::nullopt;
}

void Environment::set(std::string_view name, std::string_view value) {
    std::string entry = std::string(name) + "=" + std::string(value);
    for (std::string& e : m_entries)
        if (e.size() > name.size() && e[name.size()] == '=' && e.compare(0, name.size(), name) == 0) {
            e = std::move(entry);
            return;
        }
    m_entries.push_back(std::move(entry));
}

EnvironmentResult applyEnvironmentText(std::string_view text, Environment& env) {
    EnvironmentResult result;
    size_t i = 0;
    const size_t n = text.size();
    while (true) {
        while (i < n && (isBlank(text[i]) || isLineEnd(text[i]))) ++i;
        if (i >= n) break;
        const size_t start = i;
        if (startsWithSet(text.substr(i))) {
            i += 4;
            while (i < n && isBlank(text[i])) ++i;
        }
        const size_t nameStart = i;
        while (i < n && text[i] != '=' && !isLineEnd(text[i])) ++i;
        if (i >= n || text[i] != '=') {
            result.ok = false;
            result.faultText = std::string(text.substr(start));
            return result;
        }
        const std::string_view name = text.substr(nameStart, i - nameStart);
        ++i;  // "="
        const size_t valueStart = i;
        while (i < n && !isLineEnd(text[i])) ++i;
        std::string value(text.substr(valueStart, i - valueStart));
        if (name.empty() || name.find('\0') != std::string_view::npos || value.find('\0') != std::string::npos) {
            result.ok = false;
            result.faultText = std::string(name);
            return result;
        }
        if (const size_t at = findReference(value, name); at != std::string::npos)
            value.replace(at, name.size() + 2, env.get(name).value_or(std::string()));
        env.set(name, value);
        ++result.assignments;
    }
    return result;
}

}  // namespace orvex::tools
