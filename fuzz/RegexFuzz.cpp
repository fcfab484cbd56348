// The pattern engine over arbitrary patterns and texts. The input is one
// option byte, the pattern up to the first 0x01 byte, and the text after
// it. Compiling never fails hard; every match lies inside its range and
// starts and ends on character boundaries; finding forward agrees with
// trying each start alone; finding backward gives the last of all the
// starts found forward; the skip by pieces finds what the plain search
// finds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "search/PatternMatcher.h"

namespace {

using namespace orvex::search;

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t opts = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t cut = rest.find('\x01');
    const std::string pattern(rest.substr(0, cut));
    // The text as a document holds it: no NUL inside.
    std::string text(cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1));
    for (char& c : text)
        if (c == 0) c = ' ';
    if (text.size() > 4096) text.resize(4096);

    CompiledPattern p;
    const PatternOptions o{(opts & 1) != 0, (opts & 2) != 0, (opts & 4) != 0};
    const auto status = p.compile(pattern, o);
    if (status != CompiledPattern::Status::Ok) {
        check(!p.valid());
        return 0;
    }
    check(p.elements().size() <= size_t(CompiledPattern::kMaxElements));

    const Subject s{reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size())};
    std::vector<bool> boundary(text.size() + 1, false);
    for (int32_t i = 0; i < s.length; i += s.charLength(i)) boundary[size_t(i)] = true;
    boundary[text.size()] = true;
    // The range: the whole text, or a part of it cut at boundaries.
    int32_t begin = 0, end = s.length;
    if (opts & 8) {
        begin = int32_t((opts >> 4) % (text.size() + 1));
        while (!boundary[size_t(begin)]) --begin;
        end = s.length - int32_t(((opts >> 6) * 7) % (text.size() + 1 - size_t(begin)));
        while (!boundary[size_t(end)]) --end;
        if (end < begin) end = begin;
    }
    PatternMatcher m(p, s);
    SearchRange r;
    r.begin = begin;
    r.end = end;
    const Match fwd = m.findForward(r);
    std::vector<int32_t> starts;
    for (int32_t from = begin; from <= end;) {
        const Match hit = m.findFirst(r, from, end);
        if (!hit.found()) break;
        check(hit.offset >= from && hit.offset >= begin && hit.end() <= end && hit.length >= 0);
        check(boundary[size_t(hit.offset)] && boundary[size_t(hit.end())]);
        starts.push_back(hit.offset);
        if (hit.offset >= end) break;
        from = hit.offset + s.unitLength(hit.offset);
    }
    check(fwd.found() == !starts.empty());
    // The plain search, every start tried, finds the same.
    PatternMatcher plain(p, s);
    plain.setSkipByPieces(false);
    const Match plainFwd = plain.findForward(r);
    check(plainFwd.offset == fwd.offset && plainFwd.length == fwd.length);
    if (fwd.found()) check(fwd.offset == starts.front());
    const Match back = m.findBackward(r);
    check(back.found() == !starts.empty());
    if (back.found()) check(back.offset == starts.back());
    const Match plainBack = plain.findBackward(r);
    check(plainBack.offset == back.offset && plainBack.length == back.length);
    // Each start tried alone gives the same first start.
    if (text.size() <= 512) {
        int32_t first = -1;
        for (int32_t st = begin; st <= end && first < 0; st += st < s.length ? s.unitLength(st) : 1) {
            PatternMatcher alone(p, s);
            if (alone.findFirst(r, st, st).found()) first = st;
        }
        check(first == (fwd.found() ? fwd.offset : -1));
    }
    return 0;
}
