#pragma once
// Services of other subsystems that a view calls into: tag and URL jumps
// on a double-click, the main frame's scrap book and pending key state,
// laying out every open document again. Each later subsystem overrides
// what it provides; the defaults do nothing and report that nothing was
// done.
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

class CLuView;

class EditorHooks {
public:
    virtual ~EditorHooks() = default;
    // Double-click in a tag file: jump to the file and line of the row at
    // the cursor. True when the jump took the click.
    virtual bool tagJump(CLuView& view) { return false; }
    // Double-click: when URL clicking is enabled and the cursor stands on a
    // URL or mail address, open it. True when the click was taken.
    virtual bool urlJump(CLuView& view) { return false; }
    // Escape: the main frame forgets a pending two-stroke key.
    virtual void resetPendingKeys() {}
    // Scrap book: add an entry, and the current entry.
    virtual bool addScrap(std::string_view sjis) { return false; }
    virtual std::optional<std::string> currentScrap() const { return std::nullopt; }
    // A per-mode layout option changed: lay out every open document again.
    virtual void relayoutOpenDocuments() {}
};

}  // namespace orvex
