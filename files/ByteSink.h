#pragma once
// Where written bytes go: a file being saved, or memory.
#include <cstddef>
#include <string>

namespace orvex::files {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Appends the bytes; false when they could not be written (the sink
    // then stays failed and ignores further writes).
    virtual bool write(const void* data, size_t size) = 0;
};

// Collects everything in a string.
class StringSink final : public ByteSink {
public:
    bool write(const void* data, size_t size) override {
        bytes.append(static_cast<const char*>(data), size);
        return true;
    }
    std::string bytes;
};

// Counts the bytes and keeps none of them (the size of an output).
class CountingSink final : public ByteSink {
public:
    bool write(const void*, size_t size) override {
        bytes += size;
        return true;
    }
    size_t bytes = 0;
};

}  // namespace orvex::files
