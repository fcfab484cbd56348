#pragma once
// A growable array of row records in one block obtained with malloc. Rows
// are plain words, so the block grows and shrinks with realloc, which for
// large tables remaps pages instead of copying them. Appending grows the
// block by the growth step, or by half its size when that is more, so that
// building a table costs linear time; callers that keep a table trim it
// (shrinkTo) and grow it by exact amounts (reserve). Blocks of many
// megabytes ask the kernel for huge pages, so that filling a fresh table
// takes a few page faults instead of thousands.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/Row.h"

namespace orvex {

class RowBuffer {
public:
    RowBuffer() = default;
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;
    RowBuffer(RowBuffer&& o) noexcept { swap(o); }
    RowBuffer& operator=(RowBuffer&& o) noexcept {
        swap(o);
        return *this;
    }
    ~RowBuffer() { std::free(m_data); }

    size_t size() const { return m_size; }
    size_t capacity() const { return m_capacity; }
    bool empty() const { return m_size == 0; }
    Row* data() { return m_data; }
    const Row* data() const { return m_data; }
    Row& operator[](size_t i) { return m_data[i]; }
    const Row& operator[](size_t i) const { return m_data[i]; }
    Row& front() { return m_data[0]; }
    Row& back() { return m_data[m_size - 1]; }
    const Row& back() const { return m_data[m_size - 1]; }
    Row* begin() { return m_data; }
    Row* end() { return m_data + m_size; }
    const Row* begin() const { return m_data; }
    const Row* end() const { return m_data + m_size; }

    void setGrowthStep(size_t records) { m_step = records ? records : 1; }
    size_t growthStep() const { return m_step; }

    void push_back(const Row& r) {
        if (m_size == m_capacity) reallocate(m_capacity + (m_capacity / 2 > m_step ? m_capacity / 2 : m_step));
        m_data[m_size++] = r;
    }
    // Capacity of exactly n records when it is less (never shrinks).
    void reserve(size_t n) {
        if (n > m_capacity) reallocate(n);
    }
    // New records are left as they are (callers fill them).
    void resize(size_t n) {
        reserve(n);
        m_size = n;
    }
    void clear() { m_size = 0; }
    // Gives back capacity beyond n records (n >= size()).
    void shrinkTo(size_t n) {
        if (n < m_size) n = m_size;
        if (n < m_capacity && n > 0) reallocate(n);
    }
    void swap(RowBuffer& o) noexcept {
        std::swap(m_data, o.m_data);
        std::swap(m_size, o.m_size);
        std::swap(m_capacity, o.m_capacity);
        std::swap(m_step, o.m_step);
    }

private:
    void reallocate(size_t n) {
        void* p = std::realloc(m_data, n * sizeof(Row));
        if (!p) throw std::bad_alloc();
        m_data = static_cast<Row*>(p);
        m_capacity = n;
        adviseHugePages();
    }
    void adviseHugePages() {
#if defined(MADV_HUGEPAGE)
        constexpr uintptr_t kHuge = uintptr_t{2} << 20;
        const uintptr_t begin = reinterpret_cast<uintptr_t>(m_data);
        const uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
        const uintptr_t to = (begin + m_capacity * sizeof(Row)) & ~(kHuge - 1);
        if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
    }

    Row* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    size_t m_step = 1024;
};

}  // namespace orvex
