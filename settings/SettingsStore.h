#pragma once
// The settings store: named sections holding named values, with two back
// ends of the same format.
//
// - The user back end is the per-user settings file (settingsFilePath() in
//   SettingsPaths.h); it is what the rest of the program means by "the
//   stored settings". It is active unless a file back end is in use.
// - The file back end is an export/import file the user picked; it is
//   active between beginFile() and endFile() (Settings::loadAll/saveAll do
//   this for the length of one call).
//
// Reads come from the active back end's image in memory. Writes change that
// image at once and are remembered until flush(), which re-reads the file
// from the disk, applies the remembered writes to it (so values another
// instance of the program wrote in the meantime survive) and
// replaces the file atomically. A file that exists but cannot be read (no
// permission, larger than any settings file) is never overwritten. A store
// made with an empty path keeps its user back end in memory only (tests,
// fuzzing).
//
// Values are Shift JIS bytes; missing or unreadable values yield the
// caller's default. Write failures are not reported to the user: flush()
// returns false and keeps the writes for the next flush.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/LogFont.h"
#include "settings/ProfileFile.h"
#include "settings/WindowPlacement.h"

namespace orvex::settings {

class SettingsStore {
public:
    explicit SettingsStore(std::string userFilePath = {});

    const std::string& userFilePath() const { return m_user.path; }

    // Reads the per-user file again (at start-up and before each load all).
    // A missing file is an empty store. Unflushed writes are dropped.
    void reloadUserFile();

    // Switches to the file back end on path, read from the disk (a missing
    // file starts empty). False, and no switch, when the file exists but
    // cannot be read.
    bool beginFile(const std::string& path);
    // The same over an image already in memory; nothing reaches the disk.
    void beginFileImage(ProfileFile image);
    // Flushes the file back end and switches back to the user back end.
    bool endFile();
    bool usingFile() const { return m_fileActive; }

    // The image of the active back end (tests, the export of an in-memory
    // file).
    const ProfileFile& image() const { return active().image; }

    // Reads.
    bool hasValue(std::string_view section, std::string_view key) const;
    int readInt(std::string_view section, std::string_view key, int def) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    // At most maxBytes bytes; nullopt when missing, empty or not letter pairs.
    std::optional<std::vector<uint8_t>> readBinary(std::string_view section, std::string_view key,
                                                   size_t maxBytes) const;
    // nullopt when missing or failing the checks of codec::parsePlacement
    // against screen().
    std::optional<WindowPlacement> readPlacement(std::string_view section, std::string_view key) const;
    // A font group. Height 0 or missing: def whole. Otherwise each missing
    // field takes def's value for that field.
    LogFont readFont(std::string_view section, const LogFont& def) const;

    // Writes.
    void writeInt(std::string_view section, std::string_view key, int value);
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeBinary(std::string_view section, std::string_view key, const uint8_t* data, size_t size);
    void writePlacement(std::string_view section, std::string_view key, const WindowPlacement& p);
    // Writes every field of the group when current differs from stored or
    // force is set, then sets stored to current.
    void writeFont(std::string_view section, const LogFont& current, LogFont& stored, bool force);
    void erase(std::string_view section, std::string_view key);

    // Writes the remembered changes of the active back end to its file.
    bool flush();

    // The screen the stored window placements are checked against.
    void setScreen(ScreenSize s) { m_screen = s; }
    ScreenSize screen() const { return m_screen; }

    // Called for every value written or erased, in order (tests use it to
    // see exactly what a save wrote).
    using WriteObserver = std::function<void(std::string_view section, std::string_view key)>;
    void setWriteObserver(WriteObserver observer) { m_observer = std::move(observer); }

private:
    struct Pending {
        std::string section;
        std::string key;
        std::optional<std::string> raw;  // nullopt: erase
    };
    struct Backend {
        std::string path;  // empty: memory only
        ProfileFile image;
        std::vector<Pending> pending;
    };

    Backend& active() { return m_fileActive ? m_file : m_user; }
    const Backend& active() const { return m_fileActive ? m_file : m_user; }
    std::optional<std::string_view> raw(std::string_view section, std::string_view key) const;
    void put(std::string_view section, std::string_view key, std::string raw);
    static bool flushBackend(Backend& b);

    Backend m_user;
    Backend m_file;
    bool m_fileActive = false;
    ScreenSize m_screen;
    WriteObserver m_observer;
};

}  // namespace orvex::settings
