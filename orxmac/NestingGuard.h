#pragma once
// Counts one level of native recursion of the interpreter (a block, a
// compound statement, a statement skip or a function call) for as long as
// it lives; tooDeep() tells when the limit is passed.
#include <cstdint>

#include "orxmac/MacroInterpreter.h"

namespace orvex::orxmac {

class MacroInterpreter::NestingGuard {
public:
    NestingGuard(uint32_t& depth, uint32_t limit) : m_depth(depth), m_tooDeep(++depth > limit) {}
    ~NestingGuard() { --m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
    bool tooDeep() const { return m_tooDeep; }

private:
    uint32_t& m_depth;
    bool m_tooDeep;
};

}  // namespace orvex::orxmac
