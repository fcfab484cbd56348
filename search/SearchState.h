#pragma once
// The application's one search state: the search and replacement strings
// with their histories, the highlight string that rendering marks, the
// current options and the three saved option sets, the replacement's
// special-characters option and the batch-replace pairs.
//
// Histories hold the most recent string first, never two equal strings
// (exact comparison) and never an empty one; the search history keeps 30
// strings, the replacement history 10. Adding a string moves an equal
// entry to the top instead of repeating it.
//
// Whole word is off whenever the regular-expression option is on: the
// current options and the saved sets never hold both.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/CompiledPattern.h"
#include "settings/EditorOptions.h"

namespace orvex::settings {
class EditorProfile;
}

namespace orvex::search {

// Message flags (FindMsg): bit 0 do not offer to wrap around, bit 1 do not
// report a failed search.
constexpr int kNoWrapQuestion = 0x1;
constexpr int kNoFailureMessage = 0x2;

struct SearchFlags {
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;
    bool inSelection = false;
    int messages = 0;

    PatternOptions pattern() const { return {matchCase, wholeWord && !regex, regex}; }
    friend bool operator==(const SearchFlags&, const SearchFlags&) = default;
};

// The saved option sets: the find dialog's (FindCase ...), the replace
// dialog's (FindCase1 ...) and find in files' (FindCase2 ...).
enum class OptionSet { Find = 0, Replace = 1, FindInFiles = 2 };

// Who shows the state: the toolbars' find boxes follow the history, every
// view repaints when the highlight changes.
class SearchStateListener {
public:
    virtual ~SearchStateListener() = default;
    virtual void searchHistoryChanged() {}
    virtual void highlightChanged() {}
};

class SearchState {
public:
    static constexpr size_t kSearchHistorySize = 30;
    static constexpr size_t kReplaceHistorySize = 10;

    // ---- Strings (Shift JIS)
    const std::string& searchString() const { return m_search; }
    const std::string& replaceString() const { return m_replace; }
    // The current strings without touching the histories (typing in a box).
    void setSearchString(std::string_view s) { m_search.assign(s); }
    void setReplaceString(std::string_view s) { m_replace.assign(s); }
    // Puts s at the top of its history and makes it the current string; an
    // empty string changes nothing.
    void addSearchString(std::string_view s);
    void addReplaceString(std::string_view s);
    const std::vector<std::string>& searchHistory() const { return m_searchHistory; }
    const std::vector<std::string>& replaceHistory() const { return m_replaceHistory; }

    // ---- Highlight: what rendering marks as found text
    const std::string& highlight() const { return m_highlight; }
    // True (and listeners told) when it changed.
    bool setHighlight(std::string_view s);
    void clearHighlight() { setHighlight({}); }

    // ---- Options
    const SearchFlags& flags() const { return m_flags; }
    void setFlags(SearchFlags f);
    bool specialCharacters() const { return m_repSpChr; }  // RepSpChr
    void setSpecialCharacters(bool on) { m_repSpChr = on; }
    const SearchFlags& optionSet(OptionSet set) const { return m_sets[size_t(set)]; }
    // The saved set becomes the current options.
    void useOptionSet(OptionSet set) { setFlags(m_sets[size_t(set)]); }
    // The current options are kept as the saved set (find in files keeps no
    // message flags).
    void saveOptionSet(OptionSet set);

    // ---- Batch replace
    settings::BatchPairs& batchPairs() { return m_batch; }
    const settings::BatchPairs& batchPairs() const { return m_batch; }
    bool batchSelectionOnly() const { return m_batchSelectionOnly; }  // ReplacesSel
    void setBatchSelectionOnly(bool on) { m_batchSelectionOnly = on; }

    // ---- Settings
    void load(const settings::EditorProfile& profile);
    void save(settings::EditorProfile& profile) const;
    // Only the option sets, RepSpChr and ReplacesSel from the profile (the
    // options sheet changed them); strings, histories and the current
    // options stay as the user left them.
    void loadOptions(const settings::EditorProfile& profile);

    void addListener(SearchStateListener* l);
    void removeListener(SearchStateListener* l);

private:
    void notifyHistory();

    std::string m_search, m_replace, m_highlight;
    std::vector<std::string> m_searchHistory, m_replaceHistory;
    SearchFlags m_flags;
    std::array<SearchFlags, 3> m_sets{};
    bool m_repSpChr = false;
    settings::BatchPairs m_batch;
    bool m_batchSelectionOnly = false;
    std::vector<SearchStateListener*> m_listeners;
};

// Adds s to a most-recent-first list of at most limit entries (exact
// comparison, no empty strings).
void addToHistory(std::vector<std::string>& history, std::string_view s, size_t limit);

}  // namespace orvex::search
