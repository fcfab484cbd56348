#include "shell/HandOver.h"

namespace orvex::shell {

namespace {

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

uint32_t getU32(std::string_view b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(b[at + size_t(i)]);
    return v;
}

constexpr size_t kHeader = 16;
constexpr size_t kAnswer = 12;

}  // namespace

std::string encodeHandOver(const HandOverMessage& m) {
    std::string payload;
    if (m.code == kCtlHandOver) {
        payload.append(m.directory).push_back('\0');
        for (const std::string& t : m.tokens) payload.append(t).push_back('\0');
    } else {
        payload = m.text;
    }
    std::string out;
    putU32(out, kInstanceMagic);
    putU32(out, m.code);
    putU32(out, m.argument);
    putU32(out, uint32_t(payload.size()));
    return out + payload;
}

std::string encodeAnswer(int64_t value) {
    std::string out;
    putU32(out, kInstanceMagic);
    const auto u = uint64_t(value);
    putU32(out, uint32_t(u & 0xFFFFFFFFu));
    putU32(out, uint32_t(u >> 32));
    return out;
}

std::optional<int64_t> decodeAnswer(std::string_view b, bool* invalid) {
    if (invalid) *invalid = false;
    // The magic is checked as soon as its bytes are there.
    std::string magic;
    putU32(magic, kInstanceMagic);
    if (b.substr(0, 4) != std::string_view(magic).substr(0, std::min<size_t>(4, b.size()))) {
        if (invalid) *invalid = true;
        return std::nullopt;
    }
    if (b.size() < kAnswer) return std::nullopt;
    const uint64_t u = uint64_t(getU32(b, 4)) | (uint64_t(getU32(b, 8)) << 32);
    return int64_t(u);
}

HandOverReader::Status HandOverReader::feed(std::string_view bytes) {
    if (m_status != Status::NeedMore) return m_status;
    // Never hold more than one frame's worth.
    const size_t room = kHeader + kMaxHandOverPayload - m_buffer.size();
    m_buffer.append(bytes.substr(0, std::min(room, bytes.size())));
    m_status = parse();
    if (m_status != Status::NeedMore) m_buffer = std::string();
    return m_status;
}

HandOverReader::Status HandOverReader::parse() {
    std::string magic;
    putU32(magic, kInstanceMagic);
    const size_t seen = std::min<size_t>(4, m_buffer.size());
    if (std::string_view(m_buffer).substr(0, seen) != std::string_view(magic).substr(0, seen)) return Status::Invalid;
    if (m_buffer.size() < kHeader) return Status::NeedMore;
    const uint32_t code = getU32(m_buffer, 4);
    const uint32_t argument = getU32(m_buffer, 8);
    const uint32_t length = getU32(m_buffer, 12);
    if (code > kLastControlCode || length > kMaxHandOverPayload) return Status::Invalid;
    if (m_buffer.size() < kHeader + length) return Status::NeedMore;
    const std::string_view payload = std::string_view(m_buffer).substr(kHeader, length);
    HandOverMessage m;
    m.code = code;
    m.argument = argument;
    if (code == kCtlHandOver) {
        // Zero-terminated strings: the directory, then the tokens. A
        // payload that does not end in a terminator is damaged.
        if (payload.empty() || payload.back() != '\0') return Status::Invalid;
        size_t at = 0;
        bool first = true;
        while (at < payload.size()) {
            const size_t end = payload.find('\0', at);
            std::string s(payload.substr(at, end - at));
            at = end + 1;
            if (first) {
                m.directory = std::move(s);
                first = false;
            } else {
                if (m.tokens.size() >= kMaxHandOverTokens) return Status::Invalid;
                m.tokens.push_back(std::move(s));
            }
        }
    } else {
        // A path or a command line: text up to the first zero.
        m.text = std::string(payload.substr(0, payload.find('\0')));
    }
    m_message = std::move(m);
    return Status::Complete;
}

}  // namespace orvex::shell
