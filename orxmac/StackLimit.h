#pragma once
// The lowest stack address the interpreter may reach on the calling thread.
//
// Macro programs nest without limit in principle (recursion, nested blocks,
// parenthesised calls); the interpreter counts its nesting and also checks
// the real stack, so that no program can overflow the stack of whatever
// thread runs it, in any build (sanitizer builds use several times more
// stack per level).
#include <cstdint>

namespace orvex::orxmac {

// The address below which the current thread's stack should not grow: the
// stack's low end plus a reserve for what runs inside the deepest level
// (built-ins, notifications). 0 when the stack bounds are unknown.
uintptr_t stackFloor();

// The current frame's address, compared against stackFloor().
inline uintptr_t currentStackAddress() { return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)); }

}  // namespace orvex::orxmac
