// The answer a message box gives when nobody is there to choose (batch
// runs, the command-line runner): its default button.
#include <gtest/gtest.h>

#include "common/platform/MessageBoxes.h"

namespace orvex {
namespace {

struct AnswerRow {
    MsgButtons buttons;
    int defaultButton;
    MsgResult answer;
};

class DefaultAnswerTest : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(DefaultAnswerTest, TakesTheDefaultButton) {
    EXPECT_EQ(defaultAnswer(GetParam().buttons, GetParam().defaultButton), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Rows, DefaultAnswerTest,
                         ::testing::Values(AnswerRow{MsgButtons::Ok, 0, MsgResult::Ok},
                                           AnswerRow{MsgButtons::YesNo, 0, MsgResult::Yes},
                                           AnswerRow{MsgButtons::YesNo, 1, MsgResult::No},
                                           AnswerRow{MsgButtons::YesNoCancel, 2, MsgResult::Cancel},
                                           AnswerRow{MsgButtons::OkCancel, 1, MsgResult::Cancel},
                                           AnswerRow{MsgButtons::AbortRetryIgnore, 1, MsgResult::Retry},
                                           // A default beyond the buttons falls back to the first.
                                           AnswerRow{MsgButtons::RetryCancel, 5, MsgResult::Retry},
                                           AnswerRow{MsgButtons::YesNo, -1, MsgResult::Yes}));

}  // namespace
}  // namespace orvex
