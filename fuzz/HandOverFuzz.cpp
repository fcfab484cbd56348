// The instance socket's frame reader over arbitrary bytes, fed in pieces
// as a socket delivers them: it never reads past what it got, ends in
// Complete or Invalid or waits for more, and what it completes encodes
// back to a frame that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/CommandLine.h"
#include "shell/HandOver.h"
#include "shell/InstanceControl.h"

using namespace orvex::shell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    HandOverReader reader;
    size_t at = 0;
    size_t piece = size ? size_t(data[0] % 7) + 1 : 1;
    HandOverReader::Status status = HandOverReader::Status::NeedMore;
    while (at < bytes.size() && status == HandOverReader::Status::NeedMore) {
        status = reader.feed(bytes.substr(at, piece));
        at += piece;
        piece = piece * 2 + 1;
    }
    // The same bytes fed at once agree.
    HandOverReader whole;
    if (whole.feed(bytes) != status) std::abort();
    if (status != HandOverReader::Status::Complete) return 0;
    const HandOverMessage& m = reader.message();
    if (m.code > kLastControlCode || m.tokens.size() > kMaxHandOverTokens) std::abort();
    HandOverReader again;
    if (again.feed(encodeHandOver(m)) != HandOverReader::Status::Complete || !(again.message() == m)) std::abort();
    // The command line of a hand-over parses whatever it holds.
    const CommandLineInfo info = commandLineOf(m);
    if (info.more.size() > size_t(CommandLineInfo::kMaxFurtherFiles)) std::abort();
    (void)parseCommandLine(m.text);
    return 0;
}
