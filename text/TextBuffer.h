#pragma once
// The document's text: one contiguous Shift JIS byte string that always
// ends in exactly one NUL. size() counts the NUL, so an empty document has
// size 1. Insertion and deletion move the tail in place; the block keeps
// slack at its end so that typing does not reallocate.
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace orvex {

class TextBuffer {
public:
    TextBuffer();

    const char* data() const { return m_data.get(); }
    char* data() { return m_data.get(); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(m_data.get()); }
    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(m_data.get()); }
    int32_t size() const { return m_size; }
    size_t capacity() const { return m_capacity; }

    // Opens n bytes at offset (0 <= offset < size) and copies p into them.
    // False when memory cannot be had; nothing changes then.
    bool insert(int32_t offset, const char* p, int32_t n);
    // Removes n bytes at offset; the terminator is never removed.
    void erase(int32_t offset, int32_t n);
    // Empties the buffer completely (size 0, no terminator): the state
    // before a document is first initialised.
    void clear() { m_size = 0; }
    // Replaces the whole text (no NUL expected in p) and terminates it.
    bool assign(const char* p, int32_t n);
    // Room for at least n bytes in all, terminator included.
    bool reserve(size_t n);
    // Makes the text n bytes long (new bytes are left for the caller to
    // fill, e.g. by reading a file into data()) and terminates it.
    bool resize(int32_t n);

private:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> m_data;
    int32_t m_size = 0;
    size_t m_capacity = 0;
};

}  // namespace orvex
