#include "common/platform/MessageBoxes.h"

namespace orvex {

std::vector<MsgResult> answersOf(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok: return {MsgResult::Ok};
    case MsgButtons::OkCancel: return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo: return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel: return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::RetryCancel: return {MsgResult::Retry, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    }
    return {MsgResult::Ok};
}

MsgResult defaultAnswer(MsgButtons buttons, int defaultButton) {
    const std::vector<MsgResult> all = answersOf(buttons);
    if (defaultButton < 0 || size_t(defaultButton) >= all.size()) return all.front();
    return all[size_t(defaultButton)];
}

}  // namespace orvex
