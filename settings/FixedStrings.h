#pragma once
// The texts of the twenty fixed strings ("定型文字列"). They live in their
// own file, "OrvexT1.dat" in the user data folder: 20 zero-terminated Shift
// JIS strings in slot order, nothing else. Their titles are settings
// (FrameOptions::teikeiTT). In an export file the texts travel as the
// values UserText1..UserText20 of section "Settings".
#include <array>
#include <string>
#include <string_view>

#include "settings/FrameOptions.h"

namespace orvex::settings {

class SettingsStore;

class FixedStrings {
public:
    enum class State { NotLoaded, Loaded, Changed };
    static constexpr const char* kFileName = "OrvexT1.dat";

    // filePath: the file of the texts; empty keeps them in memory only.
    explicit FixedStrings(std::string filePath = {});

    State state() const { return m_state; }
    const std::string& text(int slot) const { return m_texts[static_cast<size_t>(slot)]; }
    const std::array<std::string, kFixedStringCount>& texts() const { return m_texts; }
    // Slot 0..19. Marks the texts changed (load them first).
    void setText(int slot, std::string_view text);

    // First use: when the active back end of store holds any of UserText1..
    // UserText20 (settings of an older version), those texts fill the slots,
    // the values are erased from the store and the file is written at once;
    // otherwise the file is read (a missing file gives empty texts).
    void ensureLoaded(SettingsStore& store);
    // At an import: when store (on the import file) holds any UserText%d,
    // those texts replace all twenty slots and the file is written at once.
    // True when they were taken.
    bool takeOver(const SettingsStore& store);
    // Writes the UserText%d values (for an export file).
    void writeTo(SettingsStore& store) const;
    // Writes the file, only in the Changed state. False when writing failed.
    bool save();

    // Parses the file format: consecutive zero-terminated strings fill
    // slots 0, 1, ... until the data ends or 20 slots are filled.
    static std::array<std::string, kFixedStringCount> parse(std::string_view bytes);
    static std::string serialize(const std::array<std::string, kFixedStringCount>& texts);

private:
    static bool anyUserText(const SettingsStore& store);
    bool writeFile();

    std::string m_path;
    std::array<std::string, kFixedStringCount> m_texts;
    State m_state = State::NotLoaded;
};

}  // namespace orvex::settings
