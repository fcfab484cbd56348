#pragma once
// The twenty key-macro slots of the main frame and the recorder that every
// view reports to. One slot at most records at a time; the slots' lists
// live in memory for the whole run, and each slot has a slot file
// ("OrvexK%d.km" in the data folder) that is written when its recording
// stops and read again before it is played, so recordings outlive the run.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "common/commands/CommandTable.h"
#include "keymacro/KeyMacroFile.h"
#include "keymacro/KeyMacroRecords.h"
#include "text/KeyMacroHook.h"

namespace orvex {
class MessageBoxes;
}

namespace orvex::keymacro {

struct Slot {
    bool valid = false;           // holds a complete recording (stopped or loaded)
    std::vector<uint32_t> words;  // the record list; its size is the record count
};

class KeyMacroSlots final : public KeyMacroHook {
public:
    // folder: where the slot files live (empty: slot files are neither
    // written nor read). messages: where load and save failures are shown
    // (may be null).
    explicit KeyMacroSlots(std::string folder = {}, MessageBoxes* messages = nullptr)
        : m_folder(std::move(folder)), m_messages(messages) {}

    void setMessages(MessageBoxes* messages) { m_messages = messages; }
    const std::string& folder() const { return m_folder; }
    // The slot file of slot index i, empty without a folder.
    std::string slotFilePath(int slot) const;

    // ---- The recorder (KeyMacroHook)
    int recordingSlot() const override { return m_recording; }
    // Appends parameter << 16 | code to the recording slot's list.
    void record(uint16_t code, uint16_t parameter, int32_t extra = 0) override;
    // Records the code with the number of data words, then the words. A
    // typed text too long for one record becomes several text records; any
    // other text that long (a search string, a replacement) is not recorded.
    void recordText(uint16_t code, std::string_view sjis) override;

    // ---- Recording
    // The record command of slot index i: starts a recording in it when none
    // runs, stops it when it is the one recording (the slot becomes valid and
    // its slot file is written, silently), and does nothing while another
    // slot records. True when the recording state changed.
    bool toggleRecording(int slot);
    // Called after the recording state changed (the views' pointer form).
    void setRecordingChanged(std::function<void()> handler) { m_recordingChanged = std::move(handler); }

    // ---- Slots and files
    const Slot& slot(int i) const { return m_slots[index(i)]; }
    // Replaces a slot's list (tests and macros); the slot becomes valid.
    void setSlot(int i, std::vector<uint32_t> words);
    // Reads a key-macro file into slot index i. report: show the failure to
    // open; the other failures are always shown. False when the slot was not
    // loaded (it is unchanged, or empty after a short file).
    bool loadSlot(int i, const std::string& path, bool report);
    // Writes slot index i to a file; report: show the failure to create it.
    bool saveSlot(int i, const std::string& path, bool report) const;
    // Before a slot is played: its slot file, when present, replaces it.
    void reloadFromSlotFile(int i);

    // ---- Menu states
    CommandState recordState(int slot) const;
    CommandState playState(int slot) const;
    bool saveEnabled() const { return m_slots[0].valid; }

    // ---- Playback bookkeeping: a slot that is being played is not played
    // again from inside its own playback (a macro that plays itself, or two
    // that play each other, would never end).
    bool isPlaying(int slot) const { return m_playing[index(slot)]; }
    void setPlaying(int slot, bool playing) { m_playing[index(slot)] = playing; }

private:
    static size_t index(int i) { return i >= 0 && i < kSlotCount ? size_t(i) : 0; }
    void showFailure(int textId, const std::string& path) const;

    std::string m_folder;
    MessageBoxes* m_messages = nullptr;
    int m_recording = 0;  // 1..20, 0 when nothing records
    std::array<Slot, kSlotCount> m_slots;
    std::array<bool, kSlotCount> m_playing{};
    std::function<void()> m_recordingChanged;
};

}  // namespace orvex::keymacro
