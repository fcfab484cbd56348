#pragma once
// Command dispatch. Every command target (view, document, child frame, main
// frame, application, and the command targets of later subsystems) owns one
// static table from command id, or a range of ids, to a handler and an
// update handler. A command travels along a chain of targets (see
// shell/CommandRouter.h) until one of them has it in its table.
//
// The command gate. What a command needs (a document that takes edits, a
// selection) and how it is recorded into a key macro are flags of the id in
// the command registry, decided once for every target: a target only says
// what its state is (commandGate()), and its table refuses, greys out and
// records by the flags. A target without commandGate() has no document and
// no selection: its commands are never refused for those and never
// recorded by the gate.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "common/commands/CommandFlags.h"
#include "common/commands/CommandIds.h"
#include "common/commands/CommandRegistry.h"

namespace orvex {

// What an update handler reports for a menu item or toolbar button.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// The key-macro recorder as the gate sees it.
class CommandRecorder {
public:
    virtual ~CommandRecorder() = default;
    // The slot being recorded (1-20), 0 while nothing records.
    virtual int recordingSlot() const = 0;
    // Appends code | parameter << 16. extra is passed along but not stored.
    virtual void record(uint16_t code, uint16_t parameter, int32_t extra = 0) = 0;
};

// A target's state as far as the gate is concerned.
struct CommandGate {
    bool editable = true;      // its document takes edits
    bool hasSelection = true;  // a selection exists
    CommandRecorder* recorder = nullptr;
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

    // Runs the command through the gate; false when the id is not in this
    // table. A refused command counts as handled (it does nothing, as its
    // greyed-out menu item would); the target hears of a refusal for want
    // of an editable document through commandRefused(id) when it has one.
    bool dispatch(Target& target, CommandId id) const {
        const Entry* e = find(id);
        if (!e || !e->handler) return false;
        const uint32_t flags = commands::flagsOf(id);
        const CommandGate gate = gateOf(target);
        if ((flags & kCmdModifiesText) && !gate.editable) {
            if constexpr (requires { target.commandRefused(id); }) target.commandRefused(id);
            return true;
        }
        if ((flags & kCmdNeedsSelection) && !gate.hasSelection) return true;
        const bool recorded = (flags & kCmdRecorded) != 0 && gate.recorder;
        if (recorded && (flags & kCmdRecordFirst)) record(*gate.recorder, id);
        // The handler may end the target (a command that closes its window):
        // nothing of the target is touched after it.
        (target.*(e->handler))(id);
        if (recorded && !(flags & kCmdRecordFirst)) record(*gate.recorder, id);
        return true;
    }

    // Fills state, greyed out where the gate would refuse; false when the
    // id is not in this table.
    bool update(Target& target, CommandId id, CommandState& state) const {
        const Entry* e = find(id);
        if (!e) return false;
        CommandState s;
        if (e->update) (target.*(e->update))(id, s);
        const uint32_t flags = commands::flagsOf(id);
        const CommandGate gate = gateOf(target);
        if ((flags & kCmdModifiesText) && !gate.editable) s.enabled = false;
        if ((flags & kCmdNeedsSelection) && !gate.hasSelection) s.enabled = false;
        state = s;
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
    static CommandGate gateOf(const Target& target) {
        if constexpr (requires { target.commandGate(); }) return target.commandGate();
        else return CommandGate{true, true, nullptr};
    }
    // Whether a slot records is asked at the moment of recording: the
    // command itself may have started or ended the recording.
    static void record(CommandRecorder& recorder, CommandId id) {
        if (recorder.recordingSlot() != 0) recorder.record(id, 0);
    }

    std::vector<Entry> m_entries;
};

// A link of the routing chain (the chain itself: shell/CommandRouter.h).
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool onCommand(CommandId id) = 0;
    virtual bool onUpdateCommand(CommandId id, CommandState& state) = 0;
};

}  // namespace orvex
