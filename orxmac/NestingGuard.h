#pragma once
// Counts one level of native recursion of the interpreter (a block, a
// compound statement, a statement skip or a function call) for as long as
// it lives; tooDeep() tells when the nesting limit is passed or the
// thread's stack runs short.
#include <cstdint>

#include "orxmac/MacroInterpreter.h"
#include "orxmac/StackLimit.h"

namespace orvex::orxmac {

class MacroInterpreter::NestingGuard {
public:
    explicit NestingGuard(MacroInterpreter& in)
        : m_depth(in.m_nesting),
          m_tooDeep(++in.m_nesting > in.m_limits.maxNesting || currentStackAddress() < in.m_stackFloor) {}
    ~NestingGuard() { --m_depth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
    bool tooDeep() const { return m_tooDeep; }

private:
    uint32_t& m_depth;
    bool m_tooDeep;
};

}  // namespace orvex::orxmac
