#include "keymacro/KeyMacroPlayer.h"

#include <limits>

#include "keymacro/KeyMacroRecords.h"
#include "text/KeyMacroHook.h"

namespace orvex::keymacro {

int32_t parseJumpLine(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    }
    return int32_t(negative ? -value : value);
}

void playRecords(std::span<const uint32_t> words, PlaybackTarget& target, KeyMacroHook* recorder) {
    auto recordAgain = [recorder](uint16_t code, std::string_view text) {
        if (recorder && recorder->recordingSlot() != 0) recorder->recordText(code, text);
    };
    target.clearModifierLatches();
    for (size_t k = 0; k < words.size(); ++k) {
        const uint16_t code = codeOf(words[k]);
        const uint16_t p = parameterOf(words[k]);
        if (isTextCode(code)) {
            if (p > words.size() - k - 1) break;  // a cut-off text record: stop rather than play garbage
            const std::string text = unpackText(words.subspan(k + 1, p));
            switch (code) {
            case kText:
                target.typeText(text);
                break;
            case cmd::kCopyToFindBox:
                target.setSearchString(text);
                break;
            case cmd::kReplacementRecord:
                target.setReplaceString(text);
                break;
            default:
                target.setJumpLine(parseJumpLine(text));
                break;
            }
            recordAgain(code, text);
            k += p;
            continue;
        }
        switch (code) {
        case kKeyDown: target.keyDown(uint16_t(p >> 8), p & 0xFF); break;
        case kKeyUp: target.keyUp(uint16_t(p >> 8), p & 0xFF); break;
        case cmd::kBatchReplace:
            target.runBatchReplace();
            if (recorder && recorder->recordingSlot() != 0) recorder->record(code, 0);
            break;
        default: target.runCommand(code); break;
        }
    }
    target.clearModifierLatches();
}

}  // namespace orvex::keymacro
