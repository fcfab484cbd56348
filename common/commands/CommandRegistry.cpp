#include "common/commands/CommandRegistry.h"

#include <algorithm>
#include <cstdlib>

namespace orvex::commands {

namespace {

using namespace cmdflag;

constexpr CommandInfo kCommands[] = {
#define ORVEX_COMMAND(name, first, last, flags, text) {first, last, #name, flags, text},
#include "common/commands/CommandList.def"
#undef ORVEX_COMMAND
};

constexpr bool sortedWithoutOverlap() {
    for (size_t i = 0; i < std::size(kCommands); ++i) {
        if (kCommands[i].last < kCommands[i].first) return false;
        if (i > 0 && kCommands[i].first <= kCommands[i - 1].last) return false;
    }
    return true;
}
static_assert(sortedWithoutOverlap(), "the command list must be in id order, each id once");

}  // namespace

std::span<const CommandInfo> allCommands() { return kCommands; }

const CommandInfo* findCommand(CommandId id) {
    auto it = std::upper_bound(std::begin(kCommands), std::end(kCommands), id,
                               [](CommandId v, const CommandInfo& e) { return v < e.first; });
    if (it == std::begin(kCommands)) return nullptr;
    --it;
    return id <= it->last ? &*it : nullptr;
}

bool isKnownCommand(CommandId id) {
    const CommandInfo* e = findCommand(id);
    return e && !(e->flags & kCmdRecordCode);
}

uint32_t flagsOf(CommandId id) {
    const CommandInfo* e = findCommand(id);
    return e ? e->flags : kCmdNone;
}

std::string statusPrompt(CommandId id) {
    const CommandInfo* e = findCommand(id);
    if (!e) return {};
    std::string text(e->text);
    if (e->first == e->last || text.empty() || text.back() != ')') return text;
    // A family: the number in the closing parentheses counts up with the id.
    const size_t open = text.rfind('(');
    if (open == std::string::npos) return text;
    const std::string digits = text.substr(open + 1, text.size() - open - 2);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return text;
    const int n = std::atoi(digits.c_str()) + (id - e->first);
    return text.substr(0, open + 1) + std::to_string(n) + ")";
}

std::string menuText(CommandId id) {
    std::string text = statusPrompt(id);
    const size_t nl = text.find('\n');
    if (nl != std::string::npos) text.resize(nl);
    return text;
}

}  // namespace orvex::commands
