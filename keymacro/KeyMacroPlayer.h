#pragma once
// Playback of a record list: walks the words in order and hands each record
// to the view it plays into. Keys go to the view's own key handling, text
// to the typing operation, the search, replacement and jump-line records
// set those strings, and every other code runs as a command through the
// normal command path (which records it again when a slot records).
#include <cstdint>
#include <span>
#include <string_view>

#include "common/commands/CommandIds.h"

namespace orvex {
class KeyMacroHook;
}

namespace orvex::keymacro {

// Where a playback goes. The session's implementation resolves the active
// view at every step, so a command that closes or switches windows leaves
// the later records to whichever view is active then (or to none).
class PlaybackTarget {
public:
    virtual ~PlaybackTarget() = default;
    virtual void keyDown(uint16_t virtualKey, int32_t repeat) = 0;
    virtual void keyUp(uint16_t virtualKey, int32_t repeat) = 0;
    // Typed text, through the typing operation; it is not recorded here.
    virtual void typeText(std::string_view sjis) = 0;
    // The current search string, added to the find history.
    virtual void setSearchString(std::string_view sjis) = 0;
    virtual void setReplaceString(std::string_view sjis) = 0;
    virtual void setJumpLine(int32_t line) = 0;
    // The batch replacement with the current pairs, without its dialog.
    virtual void runBatchReplace() = 0;
    virtual void runCommand(CommandId id) = 0;
    // Forgets the held Shift, Ctrl and Alt states.
    virtual void clearModifierLatches() = 0;
};

// Plays the words into the target; text, search, replacement and jump-line
// records are recorded again through recorder when it records. A text
// record whose words run past the end of the list ends the playback there
// (nothing of it is typed).
void playRecords(std::span<const uint32_t> words, PlaybackTarget& target, KeyMacroHook* recorder);

// The decimal number at the start of a jump-line text (0 when none).
int32_t parseJumpLine(std::string_view text);

}  // namespace orvex::keymacro
