#pragma once
// The shared reader: a whole file as text for the load, insert-file,
// append-to-file, external programs, tag jumps and the macro bridge. It asks
// for the file when given no path, reports failures to the user, converts a
// UTF-16 file, drops trailing NULs and the end-of-file mark, and asks the
// not-a-text-file question when NULs remain. Character-code detection is
// the caller's next step (convertText).
#include <string>

#include "common/platform/Platform.h"
#include "files/FileError.h"
#include "files/FileInfo.h"
#include "files/FileReader.h"
#include "files/TextDecoder.h"

namespace orvex::files {

// The user's answer to the not-a-text-file question, as a document stores
// it.
enum NotTextAnswer : int {
    kNotTextNone = 0,   // not asked
    kNotTextClose = 2,  // "閉じる" (and "ﾍﾙﾌﾟ", which closes the question too)
    kNotTextOpen = 6,   // "強制的に開く": NULs become blanks
    kNotTextView = 7,   // "ｲﾒｰｼﾞ表示": hand the file to the viewer
};

// The question: title "開く", its text and four buttons.
ChoiceRequest notTextQuestion();
// Asks it; returns kNotTextOpen, kNotTextView or kNotTextClose.
int askNotText(MessageBoxes& messages);

struct SharedReadResult {
    bool ok = false;
    size_t length = 0;       // bytes of text
    std::string path;        // the file read (the chosen one when asked)
    PreparedText prepared;
    FileTime time;           // its last-write time
    int notTextAnswer = kNotTextNone;
    FileError error;         // why it failed (None when cancelled or refused)
};

// Reads the file into `text` (at most maxBytes bytes: the room left in the
// document). With an empty path the open dialog asks first; cancelling
// fails without a message. Read failures are shown (the too-large text,
// 30008 for a lock held by another program, the others by kind). A Unicode
// file's characters that code page 932 lacks go into `table` (the
// document's), or become "?" without one.
SharedReadResult readTextFile(const Platform& platform, const std::string& path, size_t maxBytes, int readSetting,
                              std::string& text, cp932::PrivateCharTable* table = nullptr);
// The same into any storage: the text is its first `length` bytes, followed
// by a NUL.
SharedReadResult readTextFile(const Platform& platform, const std::string& path, size_t maxBytes, int readSetting,
                              ReadTarget& text, cp932::PrivateCharTable* table = nullptr);

// After convertText: when characters were read as "?" (EUC three-byte
// characters with no code page 932 form, ill-formed UTF-8 sequences), tells
// the user once, naming the file and the count. Nothing otherwise.
void reportUnreadable(const Platform& platform, const std::string& path, const ConvertResult& converted);

}  // namespace orvex::files
