#include "search/SearchState.h"

#include <algorithm>

#include "settings/EditorProfile.h"

namespace orvex::search {

namespace {

SearchFlags normalised(SearchFlags f) {
    if (f.regex) f.wholeWord = false;
    f.messages &= kNoWrapQuestion | kNoFailureMessage;
    return f;
}

template <size_t N>
std::vector<std::string> historyFrom(const std::array<std::string, N>& stored, size_t limit) {
    std::vector<std::string> out;
    for (const std::string& s : stored)
        if (!s.empty() && std::find(out.begin(), out.end(), s) == out.end() && out.size() < limit) out.push_back(s);
    return out;
}

template <size_t N>
void historyTo(const std::vector<std::string>& history, std::array<std::string, N>& stored) {
    for (size_t i = 0; i < N; ++i) stored[i] = i < history.size() ? history[i] : std::string();
}

}  // namespace

void addToHistory(std::vector<std::string>& history, std::string_view s, size_t limit) {
    if (s.empty()) return;
    const auto it = std::find(history.begin(), history.end(), s);
    if (it != history.end()) history.erase(it);
    history.insert(history.begin(), std::string(s));
    if (history.size() > limit) history.resize(limit);
}

void SearchState::addSearchString(std::string_view s) {
    if (s.empty()) return;
    addToHistory(m_searchHistory, s, kSearchHistorySize);
    m_search = m_searchHistory.front();
    notifyHistory();
}

void SearchState::addReplaceString(std::string_view s) {
    if (s.empty()) return;
    addToHistory(m_replaceHistory, s, kReplaceHistorySize);
    m_replace = m_replaceHistory.front();
}

bool SearchState::setHighlight(std::string_view s) {
    if (s == m_highlight) return false;
    m_highlight.assign(s);
    const std::vector<SearchStateListener*> listeners = m_listeners;
    for (SearchStateListener* l : listeners) l->highlightChanged();
    return true;
}

void SearchState::setFlags(SearchFlags f) { m_flags = normalised(f); }

void SearchState::saveOptionSet(OptionSet set) {
    SearchFlags f = normalised(m_flags);
    if (set == OptionSet::FindInFiles) f.messages = 0;
    m_sets[size_t(set)] = f;
}

void SearchState::loadOptions(const settings::EditorProfile& profile) {
    const settings::SearchOptions& o = profile.search;
    m_sets[0] = normalised({o.findCase != 0, o.findWord != 0, o.findNrm != 0, o.findSel != 0, o.findMsg});
    m_sets[1] = normalised({o.findCase1 != 0, o.findWord1 != 0, o.findNrm1 != 0, o.findSel1 != 0, o.findMsg1});
    m_sets[2] = normalised({o.findCase2 != 0, o.findWord2 != 0, o.findNrm2 != 0, o.findSel2 != 0, 0});
    m_repSpChr = o.repSpChr != 0;
    m_batchSelectionOnly = profile.options.replacesSel != 0;
}

void SearchState::load(const settings::EditorProfile& profile) {
    loadOptions(profile);
    m_searchHistory = historyFrom(profile.history.findStr, kSearchHistorySize);
    m_replaceHistory = historyFrom(profile.history.repStr, kReplaceHistorySize);
    m_search = m_searchHistory.empty() ? std::string() : m_searchHistory.front();
    m_replace = m_replaceHistory.empty() ? std::string() : m_replaceHistory.front();
    m_batch = profile.batch;
    m_flags = m_sets[0];
    notifyHistory();
}

void SearchState::save(settings::EditorProfile& profile) const {
    settings::SearchOptions& o = profile.search;
    const SearchFlags& f = m_sets[0];
    o.findCase = f.matchCase;
    o.findWord = f.wholeWord;
    o.findNrm = f.regex;
    o.findSel = f.inSelection;
    o.findMsg = f.messages;
    const SearchFlags& r = m_sets[1];
    o.findCase1 = r.matchCase;
    o.findWord1 = r.wholeWord;
    o.findNrm1 = r.regex;
    o.findSel1 = r.inSelection;
    o.findMsg1 = r.messages;
    const SearchFlags& g = m_sets[2];
    o.findCase2 = g.matchCase;
    o.findWord2 = g.wholeWord;
    o.findNrm2 = g.regex;
    o.findSel2 = g.inSelection;
    o.repSpChr = m_repSpChr;
    historyTo(m_searchHistory, profile.history.findStr);
    historyTo(m_replaceHistory, profile.history.repStr);
    profile.batch = m_batch;
    profile.options.replacesSel = m_batchSelectionOnly;
}

void SearchState::addListener(SearchStateListener* l) {
    if (l && std::find(m_listeners.begin(), m_listeners.end(), l) == m_listeners.end()) m_listeners.push_back(l);
}

void SearchState::removeListener(SearchStateListener* l) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), l), m_listeners.end());
}

void SearchState::notifyHistory() {
    const std::vector<SearchStateListener*> listeners = m_listeners;
    for (SearchStateListener* l : listeners) l->searchHistoryChanged();
}

}  // namespace orvex::search
