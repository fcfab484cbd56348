#pragma once
// The main frame's text stores: the clipboard history (in memory) and the
// scrap book (the file "OrvexS1.dat" in the user data folder).
//
// Both are ordered lists, oldest first, under two limits: a number of
// entries and a byte budget where every entry counts its length plus one
// and the total stays below 4097. Adding drops the oldest entries until the
// new one fits; an entry that cannot fit even alone empties the list and is
// then added whole (it is the only entry until the next one comes).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::shell {

class BoundedTextList {
public:
    static constexpr size_t kBudget = 4097;  // the total (length + 1 each) stays below this

    explicit BoundedTextList(size_t maxEntries) : m_max(maxEntries) {}

    const std::vector<std::string>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    size_t total() const;

    // Appends text (Shift JIS) by the drop-oldest rule; an empty text is
    // not added. True when the list changed.
    bool add(std::string_view text);
    // Removes entry i (0 = oldest); false when there is none.
    bool remove(size_t i);
    // Replaces entry i; the limits hold afterwards (older entries drop).
    bool replace(size_t i, std::string_view text);
    void clear() { m_entries.clear(); }
    // Entries as they come from a file: added in order by the same rule.
    void assign(const std::vector<std::string>& entries);

private:
    void makeRoom(size_t needed);

    size_t m_max;
    std::vector<std::string> m_entries;
};

class ClipboardHistory : public BoundedTextList {
public:
    static constexpr size_t kMaxEntries = 20;
    ClipboardHistory() : BoundedTextList(kMaxEntries) {}
};

// The scrap book: at most 50 entries; its file holds the entries in order,
// each followed by one form feed (0x0C), nothing else. Read once, before
// the first use; written at exit and when the frame's stores are saved,
// only when it changed.
class ScrapBook {
public:
    static constexpr size_t kMaxEntries = 50;
    static constexpr const char* kFileName = "OrvexS1.dat";

    // filePath: the file; empty keeps the book in memory only.
    explicit ScrapBook(std::string filePath = {}) : m_path(std::move(filePath)), m_list(kMaxEntries) {}

    const std::vector<std::string>& entries();  // loads first
    bool add(std::string_view text);
    bool remove(size_t i);
    bool replace(size_t i, std::string_view text);
    void clear();
    // The newest entry; empty when there is none.
    std::string newest();
    bool changed() const { return m_changed; }
    bool loaded() const { return m_loaded; }
    // Writes the file when the book changed; false when writing failed.
    bool save();

    static std::vector<std::string> parse(std::string_view bytes);
    static std::string serialize(const std::vector<std::string>& entries);

private:
    void ensureLoaded();

    std::string m_path;
    BoundedTextList m_list;
    bool m_loaded = false;
    bool m_changed = false;
};

}  // namespace orvex::shell
