// Build-time generator of the code page 932 tables.
//
// Asks glibc's iconv "CP932" converter for every single byte and every
// lead/trail pair, and writes a C++ source with the decode tables plus the
// list of encodings that the plain inverse of those tables would get wrong:
// Unicode characters reached from several Shift JIS codes (NEC row 13 and the
// NEC-selected IBM extensions duplicate other codes) take the code iconv
// itself produces for them, and the six JIS X 0208 characters that other
// Japanese converters map to different Unicode characters (wave dash, double
// vertical line, minus, cent, pound, not) are accepted as extra inputs.
// Nothing else is accepted one way only: there is no best fit.
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kNone = 0xFFFF;

bool isLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Converts bytes with iconv; returns the UTF-16 units or an empty vector when
// iconv rejects the input or produces more than one unit.
uint16_t decodeOne(iconv_t cd, const unsigned char* in, size_t n) {
    char inBuf[4];
    std::memcpy(inBuf, in, n);
    char outBuf[16];
    char* ip = inBuf;
    char* op = outBuf;
    size_t il = n, ol = sizeof outBuf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return kNone;
    if (op - outBuf != 2) return kNone;
    return static_cast<uint16_t>(static_cast<unsigned char>(outBuf[0]) |
                                 (static_cast<unsigned char>(outBuf[1]) << 8));
}

// Encodes one UTF-16 unit; returns the Shift JIS code (one or two bytes) or kNone.
uint16_t encodeOne(iconv_t cd, uint16_t u) {
    char inBuf[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    char outBuf[8];
    char* ip = inBuf;
    char* op = outBuf;
    size_t il = 2, ol = sizeof outBuf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return kNone;
    size_t n = static_cast<size_t>(op - outBuf);
    if (n == 1) return static_cast<unsigned char>(outBuf[0]);
    if (n == 2)
        return static_cast<uint16_t>((static_cast<unsigned char>(outBuf[0]) << 8) |
                                     static_cast<unsigned char>(outBuf[1]));
    return kNone;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cp932gen OUTPUT.cpp\n");
        return 2;
    }
    iconv_t dec = iconv_open("UTF-16LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-16LE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "cp932gen: glibc iconv has no CP932 converter\n");
        return 1;
    }

    std::vector<uint16_t> single(256, kNone);
    for (unsigned b = 0; b < 256; ++b) {
        if (isLead(b)) continue;
        unsigned char c = static_cast<unsigned char>(b);
        single[b] = decodeOne(dec, &c, 1);
    }
    single[0] = 0;  // iconv handles NUL, but be explicit: NUL is U+0000

    std::vector<uint16_t> dbl(60 * 256, kNone);
    std::map<uint16_t, std::vector<uint16_t>> sources;  // Unicode -> Shift JIS codes
    for (unsigned b = 0; b < 256; ++b)
        if (single[b] != kNone) sources[single[b]].push_back(static_cast<uint16_t>(b));
    int leadIndex = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLead(lead)) continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
            uint16_t u = decodeOne(dec, pair, 2);
            dbl[leadIndex * 256 + trail] = u;
            if (u != kNone) sources[u].push_back(static_cast<uint16_t>(lead << 8 | trail));
        }
        ++leadIndex;
    }

    // Encodings the runtime inverse (first code in byte order wins) would get
    // wrong: take iconv's own choice for every ambiguous character.
    std::vector<std::pair<uint16_t, uint16_t>> overrides;
    for (const auto& [u, codes] : sources) {
        if (codes.size() < 2) continue;
        uint16_t chosen = encodeOne(enc, u);
        if (chosen != kNone && chosen != codes.front()) overrides.emplace_back(u, chosen);
    }
    // The JIS X 0208 characters that other converters read as different
    // Unicode characters: accept those as inputs for the same codes.
    const uint16_t alternates[] = {0x301C, 0x2016, 0x2212, 0x00A2, 0x00A3, 0x00AC};
    for (uint16_t u : alternates) {
        if (sources.count(u)) continue;
        uint16_t chosen = encodeOne(enc, u);
        if (chosen != kNone) overrides.emplace_back(u, chosen);
    }

    FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Generated by cp932gen from glibc iconv \"CP932\". Do not edit.\n"
                 "#include \"common/codepage/Cp932Tables.h\"\n\n"
                 "namespace orvex::cp932::tables {\n\n"
                 "const uint16_t kSingleToUnicode[256] = {");
    for (unsigned i = 0; i < 256; ++i)
        std::fprintf(out, "%s0x%04X,", i % 12 ? " " : "\n    ", single[i]);
    std::fprintf(out, "\n};\n\nconst uint16_t kDoubleToUnicode[60 * 256] = {");
    for (unsigned i = 0; i < dbl.size(); ++i)
        std::fprintf(out, "%s0x%04X,", i % 12 ? " " : "\n    ", dbl[i]);
    std::fprintf(out, "\n};\n\nconst EncodeOverride kEncodeOverrides[] = {");
    for (const auto& [u, s] : overrides) std::fprintf(out, "\n    {0x%04X, 0x%04X},", u, s);
    std::fprintf(out, "\n};\n\nconst size_t kEncodeOverrideCount = %zu;\n\n}  // namespace orvex::cp932::tables\n",
                 overrides.size());
    std::fclose(out);
    iconv_close(dec);
    iconv_close(enc);
    return 0;
}
