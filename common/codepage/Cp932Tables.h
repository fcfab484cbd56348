#pragma once
// Tables generated at build time from glibc iconv "CP932" (see gen/cp932gen.cpp).
#include <cstddef>
#include <cstdint>

namespace orvex::cp932::tables {

// 0xFFFF marks a byte or pair with no Unicode form.
extern const uint16_t kSingleToUnicode[256];
// Indexed by leadIndex(lead) * 256 + trail.
extern const uint16_t kDoubleToUnicode[60 * 256];

struct EncodeOverride {
    uint16_t unicode;
    uint16_t sjis;
};
extern const EncodeOverride kEncodeOverrides[];
extern const size_t kEncodeOverrideCount;

// 0x81-0x9F map to 0-30, 0xE0-0xFC to 31-59.
constexpr int leadIndex(uint8_t lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

}  // namespace orvex::cp932::tables
