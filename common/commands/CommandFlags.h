#pragma once
// What a command needs and how it is recorded, decided once per id in the
// command list (CommandList.def) and applied by the command gate of every
// command table (CommandTable.h).
#include <cstdint>

namespace orvex {

enum CommandFlags : uint32_t {
    kCmdNone = 0,
    kCmdModifiesText = 0x1,    // refused and greyed out on a document that takes no edits
    kCmdNeedsSelection = 0x2,  // refused and greyed out without a selection
    kCmdRecorded = 0x4,        // the gate records the id into a recording key macro
    kCmdRecordFirst = 0x8,     // ... before the handler runs (else after it)
    kCmdRecordsItself = 0x10,  // the handler writes its own key-macro records
    kCmdRecordCode = 0x20,     // a key-macro record code, never dispatched
};

// Short names for the command list.
namespace cmdflag {
constexpr uint32_t kNone = kCmdNone;
constexpr uint32_t kRec = kCmdRecorded;
constexpr uint32_t kRecFirst = kCmdRecorded | kCmdRecordFirst;
constexpr uint32_t kModifies = kCmdModifiesText;
constexpr uint32_t kEdit = kCmdModifiesText | kCmdRecorded;
constexpr uint32_t kEditFirst = kCmdModifiesText | kCmdRecorded | kCmdRecordFirst;
constexpr uint32_t kEditSelf = kCmdModifiesText | kCmdRecordsItself;
constexpr uint32_t kSelRec = kCmdNeedsSelection | kCmdRecorded;
constexpr uint32_t kSelEdit = kCmdNeedsSelection | kCmdModifiesText | kCmdRecorded;
constexpr uint32_t kSelf = kCmdRecordsItself;
constexpr uint32_t kRecordCode = kCmdRecordCode;
}  // namespace cmdflag

}  // namespace orvex
