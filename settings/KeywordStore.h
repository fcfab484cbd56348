#pragma once
// The 320 keyword slots: 8 groups of 40, each slot a Shift JIS string and
// the character class of its last character (computed whenever the slot is
// set, so the colouring never recomputes it).
//
// Stored names: slots 0-19 are Keyword1-Keyword20, slots 20-39 are
// Keyword41-Keyword60, slots 40-59 are Keyword21-Keyword40, and slots 60-319
// are Keyword61-Keyword320. Group 1 is thus Keyword1-20 and Keyword41-60,
// group 2 Keyword21-40 and Keyword61-80, group k >= 3 Keyword40k-39 to
// Keyword40k.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::settings {

class SettingsStore;

constexpr int kKeywordGroups = 8;
constexpr int kKeywordsPerGroup = 40;
constexpr int kKeywordSlots = kKeywordGroups * kKeywordsPerGroup;

class KeywordStore {
public:
    KeywordStore();

    const std::string& word(int slot) const { return m_words[static_cast<size_t>(slot)]; }
    // Character class (0..8) of the slot's last character; 0 when empty.
    int lastClass(int slot) const { return m_lastClass[static_cast<size_t>(slot)]; }
    void setWord(int slot, std::string_view word);

    // The number in the slot's stored name "Keyword%d".
    static int keyNumber(int slot);
    // Built-in default of slots 0..31 ("if" .. "#include"); empty beyond.
    static const char* builtIn(int slot);

    // Reads all slots. Slot 0 defaults to "if"; slots 1-31 take their
    // built-in defaults only while slot 0, as just read, is "if".
    void load(const SettingsStore& store, KeywordStore& stored);
    void save(SettingsStore& store, KeywordStore& stored, bool force) const;

    friend bool operator==(const KeywordStore& a, const KeywordStore& b) { return a.m_words == b.m_words; }

private:
    std::array<std::string, kKeywordSlots> m_words;
    std::array<uint8_t, kKeywordSlots> m_lastClass{};
};

}  // namespace orvex::settings
