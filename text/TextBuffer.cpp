#include "text/TextBuffer.h"

#include <cstring>

namespace orvex {

namespace {
// Slack kept after the text: an eighth of it, at least 4 KiB.
size_t withSlack(size_t n) { return n + (n / 8 > 4096 ? n / 8 : 4096); }
}  // namespace

TextBuffer::TextBuffer() {
    reserve(4096);
    m_data.get()[0] = 0;
    m_size = 1;
}

bool TextBuffer::reserve(size_t n) {
    if (n <= m_capacity) return true;
    char* p = static_cast<char*>(std::realloc(m_data.get(), n));
    if (!p) return false;
    m_data.release();
    m_data.reset(p);
    m_capacity = n;
    return true;
}

bool TextBuffer::insert(int32_t offset, const char* p, int32_t n) {
    if (n <= 0) return true;
    const size_t need = size_t(m_size) + size_t(n);
    if (need > m_capacity && !reserve(withSlack(need))) return false;
    char* d = m_data.get();
    std::memmove(d + offset + n, d + offset, size_t(m_size - offset));
    std::memcpy(d + offset, p, size_t(n));
    m_size += n;
    return true;
}

void TextBuffer::erase(int32_t offset, int32_t n) {
    if (n <= 0) return;
    char* d = m_data.get();
    std::memmove(d + offset, d + offset + n, size_t(m_size - offset - n));
    m_size -= n;
}

bool TextBuffer::assign(const char* p, int32_t n) {
    const size_t need = size_t(n) + 1;
    if (need > m_capacity && !reserve(withSlack(need))) return false;
    if (n > 0) std::memcpy(m_data.get(), p, size_t(n));
    m_data.get()[n] = 0;
    m_size = n + 1;
    return true;
}

bool TextBuffer::resize(int32_t n) {
    const size_t need = size_t(n) + 1;
    if (need > m_capacity && !reserve(withSlack(need))) return false;
    m_data.get()[n] = 0;
    m_size = n + 1;
    return true;
}

}  // namespace orvex
