#pragma once
// Command dispatch. Every command target (view, document, child frame, main
// frame, application) owns one static table from command id, or a range of
// ids, to a handler and an update handler, with flags that say what the
// command needs. A command travels along a chain of targets (active view,
// its document, its child frame, the main frame, the application) until
// one of them has it in its table.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace orvex {

using CommandId = uint16_t;

enum CommandFlags : uint32_t {
    kCmdNone = 0,
    kCmdModifiesText = 0x1,    // disabled on read-only documents
    kCmdNeedsSelection = 0x2,  // disabled without a selection
    kCmdRecorded = 0x4,        // recorded into key macros by its id
};

// What an update handler reports for a menu item or toolbar button.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

template <class Target>
class CommandTable {
public:
    using Handler = void (Target::*)(CommandId id);
    using Updater = void (Target::*)(CommandId id, CommandState& state);

    struct Entry {
        CommandId first;
        CommandId last;  // equal to first for a single id
        Handler handler;
        Updater update;  // may be null: always enabled, never checked
        uint32_t flags = kCmdNone;
    };

    CommandTable(std::initializer_list<Entry> entries) : m_entries(entries) {
        std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
    }

    const Entry* find(CommandId id) const {
        auto it = std::upper_bound(m_entries.begin(), m_entries.end(), id,
                                   [](CommandId v, const Entry& e) { return v < e.first; });
        if (it == m_entries.begin()) return nullptr;
        --it;
        return id <= it->last ? &*it : nullptr;
    }

    // Runs the handler; false when the id is not in this table.
    bool dispatch(Target& target, CommandId id) const {
        const Entry* e = find(id);
        if (!e || !e->handler) return false;
        (target.*(e->handler))(id);
        return true;
    }

    // Fills state; false when the id is not in this table.
    bool update(Target& target, CommandId id, CommandState& state) const {
        const Entry* e = find(id);
        if (!e) return false;
        state = CommandState{};
        if (e->update) (target.*(e->update))(id, state);
        return true;
    }

    // Ids that appear in more than one entry (the table test expects none).
    std::vector<CommandId> overlaps() const {
        std::vector<CommandId> out;
        for (size_t i = 1; i < m_entries.size(); ++i)
            if (m_entries[i].first <= m_entries[i - 1].last) out.push_back(m_entries[i].first);
        return out;
    }

    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

// A link of the routing chain.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool onCommand(CommandId id) = 0;
    virtual bool onUpdateCommand(CommandId id, CommandState& state) = 0;
};

// Offers the command to each target in order; true when one handled it.
inline bool routeCommand(std::initializer_list<CommandTarget*> chain, CommandId id) {
    for (CommandTarget* t : chain)
        if (t && t->onCommand(id)) return true;
    return false;
}

inline bool routeUpdate(std::initializer_list<CommandTarget*> chain, CommandId id, CommandState& state) {
    for (CommandTarget* t : chain)
        if (t && t->onUpdateCommand(id, state)) return true;
    state.enabled = false;  // nobody handles it: grey the item out
    return false;
}

}  // namespace orvex
