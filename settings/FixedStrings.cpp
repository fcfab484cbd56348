#include "settings/FixedStrings.h"

#include "settings/AtomicFile.h"
#include "settings/SettingsStore.h"

namespace orvex::settings {

namespace {

std::string userTextKey(int slot) { return "UserText" + std::to_string(slot + 1); }

}  // namespace

FixedStrings::FixedStrings(std::string filePath) : m_path(std::move(filePath)) {}

void FixedStrings::setText(int slot, std::string_view text) {
    m_texts[static_cast<size_t>(slot)] = std::string(text);
    m_state = State::Changed;
}

std::array<std::string, kFixedStringCount> FixedStrings::parse(std::string_view bytes) {
    std::array<std::string, kFixedStringCount> out;
    size_t pos = 0;
    for (size_t slot = 0; slot < out.size() && pos < bytes.size(); ++slot) {
        size_t end = bytes.find('\0', pos);
        if (end == std::string_view::npos) end = bytes.size();
        out[slot] = std::string(bytes.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

std::string FixedStrings::serialize(const std::array<std::string, kFixedStringCount>& texts) {
    std::string out;
    for (const std::string& t : texts) {
        // A NUL inside a text would end it early in the file; keep what
        // comes before it.
        out.append(t.c_str());
        out.push_back('\0');
    }
    return out;
}

bool FixedStrings::anyUserText(const SettingsStore& store) {
    for (int i = 0; i < kFixedStringCount; ++i)
        if (store.hasValue("Settings", userTextKey(i))) return true;
    return false;
}

bool FixedStrings::writeFile() { return m_path.empty() || writeFileAtomically(m_path, serialize(m_texts)); }

void FixedStrings::ensureLoaded(SettingsStore& store) {
    if (m_state != State::NotLoaded) return;
    if (anyUserText(store)) {
        for (int i = 0; i < kFixedStringCount; ++i) {
            m_texts[static_cast<size_t>(i)] = store.readString("Settings", userTextKey(i), "");
            store.erase("Settings", userTextKey(i));
        }
        store.flush();
        m_state = writeFile() ? State::Loaded : State::Changed;
        return;
    }
    std::string bytes;
    if (!m_path.empty() && readWholeFile(m_path, bytes) == ReadResult::Ok) m_texts = parse(bytes);
    m_state = State::Loaded;
}

bool FixedStrings::takeOver(const SettingsStore& store) {
    if (!anyUserText(store)) return false;
    for (int i = 0; i < kFixedStringCount; ++i)
        m_texts[static_cast<size_t>(i)] = store.readString("Settings", userTextKey(i), "");
    m_state = writeFile() ? State::Loaded : State::Changed;
    return true;
}

void FixedStrings::writeTo(SettingsStore& store) const {
    for (int i = 0; i < kFixedStringCount; ++i)
        store.writeString("Settings", userTextKey(i), m_texts[static_cast<size_t>(i)]);
}

bool FixedStrings::save() {
    if (m_state != State::Changed) return true;
    if (!writeFile()) return false;
    m_state = State::Loaded;
    return true;
}

}  // namespace orvex::settings
