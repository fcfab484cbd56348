#include "shell/FrameStores.h"

#include "settings/AtomicFile.h"

namespace orvex::shell {

namespace {
constexpr char kFormFeed = '\x0C';
// A damaged or foreign file is read up to this size only.
constexpr size_t kMaxScrapFile = 1 << 20;
}  // namespace

size_t BoundedTextList::total() const {
    size_t t = 0;
    for (const std::string& e : m_entries) t += e.size() + 1;
    return t;
}

void BoundedTextList::makeRoom(size_t needed) {
    if (needed >= kBudget) {
        m_entries.clear();
        return;
    }
    size_t t = total();
    size_t drop = 0;
    while (drop < m_entries.size() && (m_entries.size() - drop >= m_max || t + needed >= kBudget)) {
        t -= m_entries[drop].size() + 1;
        ++drop;
    }
    m_entries.erase(m_entries.begin(), m_entries.begin() + ptrdiff_t(drop));
}

bool BoundedTextList::add(std::string_view text) {
    if (text.empty() || m_max == 0) return false;
    makeRoom(text.size() + 1);
    m_entries.emplace_back(text);
    return true;
}

bool BoundedTextList::remove(size_t i) {
    if (i >= m_entries.size()) return false;
    m_entries.erase(m_entries.begin() + ptrdiff_t(i));
    return true;
}

bool BoundedTextList::replace(size_t i, std::string_view text) {
    if (i >= m_entries.size()) return false;
    if (text.empty()) return remove(i);
    // The edited entry keeps its place; older ones go while it does not fit.
    m_entries[i] = std::string(text);
    while (m_entries.size() > 1 && total() >= kBudget && i > 0) {
        m_entries.erase(m_entries.begin());
        --i;
    }
    if (total() >= kBudget) {
        std::string keep = std::move(m_entries[i]);
        m_entries.clear();
        m_entries.push_back(std::move(keep));
    }
    return true;
}

void BoundedTextList::assign(const std::vector<std::string>& entries) {
    m_entries.clear();
    for (const std::string& e : entries) add(e);
}

// ---- Scrap book

std::vector<std::string> ScrapBook::parse(std::string_view bytes) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find(kFormFeed, at);
        // Text after the last form feed (a cut-off file) is an entry too.
        if (end == std::string_view::npos) end = bytes.size();
        if (end > at) out.emplace_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

std::string ScrapBook::serialize(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) {
        out += e;
        out.push_back(kFormFeed);
    }
    return out;
}

void ScrapBook::ensureLoaded() {
    if (m_loaded) return;
    m_loaded = true;
    if (m_path.empty()) return;
    std::string bytes;
    if (settings::readWholeFile(m_path, bytes, kMaxScrapFile) != settings::ReadResult::Ok) return;
    m_list.assign(parse(bytes));
}

const std::vector<std::string>& ScrapBook::entries() {
    ensureLoaded();
    return m_list.entries();
}

bool ScrapBook::add(std::string_view text) {
    ensureLoaded();
    const bool changed = m_list.add(text);
    m_changed |= changed;
    return changed;
}

bool ScrapBook::remove(size_t i) {
    ensureLoaded();
    const bool changed = m_list.remove(i);
    m_changed |= changed;
    return changed;
}

bool ScrapBook::replace(size_t i, std::string_view text) {
    ensureLoaded();
    const bool changed = m_list.replace(i, text);
    m_changed |= changed;
    return changed;
}

void ScrapBook::clear() {
    ensureLoaded();
    if (!m_list.empty()) m_changed = true;
    m_list.clear();
}

std::string ScrapBook::newest() {
    ensureLoaded();
    return m_list.empty() ? std::string() : m_list.entries().back();
}

bool ScrapBook::save() {
    if (!m_changed || m_path.empty()) return true;
    if (!settings::writeFileAtomically(m_path, serialize(m_list.entries()))) return false;
    m_changed = false;
    return true;
}

}  // namespace orvex::shell
