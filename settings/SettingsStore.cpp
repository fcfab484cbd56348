#include "settings/SettingsStore.h"

#include "settings/AtomicFile.h"
#include "settings/ValueCodec.h"

namespace orvex::settings {

namespace {

// A string value as the program reads it: quotes removed, cut to the
// longest escaped text a write produces (at a character boundary), then
// unescaped.
std::string decodeString(std::string_view raw) {
    std::string_view inner = codec::unquote(raw);
    if (inner.size() > codec::kMaxEscapedBytes) {
        size_t i = 0;
        while (i < inner.size()) {
            const size_t n = codec::charBytes(inner, i);
            if (i + n > codec::kMaxEscapedBytes) break;
            i += n;
        }
        inner = inner.substr(0, i);
    }
    return codec::unescapeString(inner);
}

}  // namespace

SettingsStore::SettingsStore(std::string userFilePath) {
    m_user.path = std::move(userFilePath);
    reloadUserFile();
}

void SettingsStore::reloadUserFile() {
    m_user.pending.clear();
    m_user.image = ProfileFile();
    if (m_user.path.empty()) return;
    std::string bytes;
    if (readWholeFile(m_user.path, bytes) == ReadResult::Ok) m_user.image = ProfileFile::parse(bytes);
}

bool SettingsStore::beginFile(const std::string& path) {
    std::string bytes;
    const ReadResult r = readWholeFile(path, bytes);
    if (r == ReadResult::Failed) return false;
    m_file = Backend{path, ProfileFile::parse(bytes), {}};
    m_fileActive = true;
    return true;
}

void SettingsStore::beginFileImage(ProfileFile image) {
    m_file = Backend{{}, std::move(image), {}};
    m_fileActive = true;
}

bool SettingsStore::endFile() {
    if (!m_fileActive) return true;
    const bool ok = flushBackend(m_file);
    m_fileActive = false;
    return ok;
}

std::optional<std::string_view> SettingsStore::raw(std::string_view section, std::string_view key) const {
    return active().image.get(section, key);
}

bool SettingsStore::hasValue(std::string_view section, std::string_view key) const {
    return raw(section, key).has_value();
}

int SettingsStore::readInt(std::string_view section, std::string_view key, int def) const {
    std::optional<std::string_view> r = raw(section, key);
    if (!r) return def;
    return codec::parseInt(codec::unquote(*r)).value_or(def);
}

std::string SettingsStore::readString(std::string_view section, std::string_view key, std::string_view def) const {
    std::optional<std::string_view> r = raw(section, key);
    if (!r) return std::string(def);
    return decodeString(*r);
}

std::optional<std::vector<uint8_t>> SettingsStore::readBinary(std::string_view section, std::string_view key,
                                                              size_t maxBytes) const {
    std::optional<std::string_view> r = raw(section, key);
    if (!r) return std::nullopt;
    return codec::decodeBinary(codec::unquote(*r), maxBytes);
}

std::optional<WindowPlacement> SettingsStore::readPlacement(std::string_view section, std::string_view key) const {
    std::optional<std::string_view> r = raw(section, key);
    if (!r) return std::nullopt;
    return codec::parsePlacement(decodeString(*r), m_screen);
}

LogFont SettingsStore::readFont(std::string_view section, const LogFont& def) const {
    const int height = readInt(section, "Height", 0);
    if (height == 0) return def;
    LogFont f;
    f.height = height;
    f.width = readInt(section, "Width", def.width);
    f.weight = readInt(section, "Weight", def.weight);
    f.italic = readInt(section, "Italic", def.italic);
    f.underline = readInt(section, "Underline", def.underline);
    f.charSet = readInt(section, "CharSet", def.charSet);
    f.pitchAndFamily = readInt(section, "PitchAndFamily", def.pitchAndFamily);
    f.faceName = readString(section, "FaceName", def.faceName);
    return f;
}

void SettingsStore::put(std::string_view section, std::string_view key, std::string raw) {
    Backend& b = active();
    b.image.set(section, key, raw);
    // A back end without a file has nothing to merge with at flush.
    if (!b.path.empty()) b.pending.push_back({std::string(section), std::string(key), std::move(raw)});
    if (m_observer) m_observer(section, key);
}

void SettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    put(section, key, codec::formatInt(value));
}

void SettingsStore::writeString(std::string_view section, std::string_view key, std::string_view value) {
    put(section, key, codec::quoteString(value));
}

void SettingsStore::writeBinary(std::string_view section, std::string_view key, const uint8_t* data, size_t size) {
    put(section, key, "\"" + codec::encodeBinary(data, size) + "\"");
}

void SettingsStore::writePlacement(std::string_view section, std::string_view key, const WindowPlacement& p) {
    writeString(section, key, codec::formatPlacement(p));
}

void SettingsStore::writeFont(std::string_view section, const LogFont& current, LogFont& stored, bool force) {
    if (!force && current == stored) return;
    writeInt(section, "Height", current.height);
    writeInt(section, "Width", current.width);
    writeInt(section, "Weight", current.weight);
    writeInt(section, "Italic", current.italic);
    writeInt(section, "Underline", current.underline);
    writeInt(section, "CharSet", current.charSet);
    writeInt(section, "PitchAndFamily", current.pitchAndFamily);
    writeString(section, "FaceName", current.faceName);
    stored = current;
}

void SettingsStore::erase(std::string_view section, std::string_view key) {
    Backend& b = active();
    if (!b.image.erase(section, key)) return;
    if (!b.path.empty()) b.pending.push_back({std::string(section), std::string(key), std::nullopt});
    if (m_observer) m_observer(section, key);
}

bool SettingsStore::flush() { return flushBackend(active()); }

bool SettingsStore::flushBackend(Backend& b) {
    if (b.pending.empty()) return true;
    if (b.path.empty()) {
        b.pending.clear();
        return true;
    }
    // Merge into what is on the disk now. A file that exists but cannot be
    // read is left alone rather than replaced by what this process knows.
    std::string bytes;
    if (readWholeFile(b.path, bytes) == ReadResult::Failed) return false;
    ProfileFile merged = ProfileFile::parse(bytes);
    for (const Pending& p : b.pending) {
        if (p.raw)
            merged.set(p.section, p.key, *p.raw);
        else
            merged.erase(p.section, p.key);
    }
    if (!writeFileAtomically(b.path, merged.serialize())) return false;
    b.image = std::move(merged);
    b.pending.clear();
    return true;
}

}  // namespace orvex::settings
