#pragma once
// The message a second start sends to the instance already running, over
// the per-user local socket, and the answer it gets back.
//
// A frame is little-endian: the magic 0x4F727665, the operation code of the
// control message (0..9), a 32-bit argument, the payload length and the
// payload. For the command-line hand-over (code 8) the payload is the
// sender's working directory and then each command-line token, every one
// zero-terminated: the tokens travel as the sender's shell split them, so a
// path holding blanks or double quotes arrives whole, and relative names are
// taken in the sender's folder. The answer is the magic and a signed 64-bit
// value (the running instance's answer to the control message).
//
// The reader is fed whatever arrived on the socket; anything that is not a
// well-formed frame within the limits is refused as a whole.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::shell {

constexpr uint32_t kInstanceMagic = 0x4F727665;
constexpr uint32_t kControlMessage = 0x401;  // WM_USER + 1 to the main window

// Operation codes of the control message.
enum ControlCode : uint32_t {
    kCtlNewDocument = 0,
    kCtlOpenPath = 1,
    kCtlCloseActive = 2,
    kCtlShowAtSize = 3,
    kCtlCommandLine = 4,
    kCtlBeginLong = 5,
    kCtlAppendLong = 6,
    kCtlProcessLong = 7,
    kCtlHandOver = 8,
    // Between instances only: arranging the instances' windows tells each
    // its rectangle ("x y width height").
    kCtlPlaceWindow = 9,
};
constexpr uint32_t kLastControlCode = kCtlPlaceWindow;

struct HandOverMessage {
    uint32_t code = kCtlNewDocument;
    uint32_t argument = 0;
    std::string directory;            // code 8: the sender's working directory
    std::vector<std::string> tokens;  // code 8: the command line, token by token
    std::string text;                 // other codes: the payload as it came (a path, a line)

    friend bool operator==(const HandOverMessage&, const HandOverMessage&) = default;
};

// Limits of a frame: anything larger is refused, not buffered.
constexpr uint32_t kMaxHandOverPayload = 256 * 1024;
constexpr size_t kMaxHandOverTokens = 1024;

std::string encodeHandOver(const HandOverMessage& message);
std::string encodeAnswer(int64_t value);

class HandOverReader {
public:
    enum class Status { NeedMore, Complete, Invalid };
    // Adds received bytes. Complete: message() holds the frame (bytes after
    // it are ignored). Invalid: the peer is not an instance of ours or sent
    // a damaged frame; stop reading.
    Status feed(std::string_view bytes);
    Status status() const { return m_status; }
    const HandOverMessage& message() const { return m_message; }

private:
    Status parse();

    std::string m_buffer;
    Status m_status = Status::NeedMore;
    HandOverMessage m_message;
};

// The answer frame: nullopt while incomplete or when it lacks the magic.
// invalid is set when the bytes can never become an answer.
std::optional<int64_t> decodeAnswer(std::string_view bytes, bool* invalid = nullptr);

}  // namespace orvex::shell
