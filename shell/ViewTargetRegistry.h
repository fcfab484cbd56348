#pragma once
// The registry of per-view command targets: the command families of later
// subsystems that work on a view (file commands, search, conversions, key
// macros, ruled lines, ...). Each registers a factory once with the
// session; every view the session makes gets one target of each, offered
// the ids the view's own table does not hold, in registration order.
#include <functional>
#include <memory>
#include <vector>

#include "common/commands/CommandTable.h"

namespace orvex {
class CLuView;
}

namespace orvex::shell {

class EditorDocument;
class EditorSession;

class ViewTargetRegistry {
public:
    // Makes the target for a view of a document. The target registers
    // itself with the view (CLuView::addCommandExtension) and leaves it when
    // destroyed; the window that owns the view destroys its targets first.
    using Factory = std::function<std::unique_ptr<CommandTarget>(CLuView&, EditorDocument&, EditorSession&)>;

    // Target is the family's class: its static commandTable() tells which
    // ids the family handles, also while no view exists.
    template <class Target>
    void add(Factory factory) {
        m_factories.push_back(std::move(factory));
        m_knows.push_back([](CommandId id) { return Target::commandTable().find(id) != nullptr; });
    }
    // Some registered family handles the id.
    bool knows(CommandId id) const {
        for (const auto& k : m_knows)
            if (k(id)) return true;
        return false;
    }
    std::vector<std::unique_ptr<CommandTarget>> makeTargets(CLuView& view, EditorDocument& document,
                                                            EditorSession& session) const {
        std::vector<std::unique_ptr<CommandTarget>> out;
        for (const Factory& f : m_factories)
            if (auto t = f(view, document, session)) out.push_back(std::move(t));
        return out;
    }
    size_t size() const { return m_factories.size(); }

private:
    std::vector<Factory> m_factories;
    std::vector<std::function<bool(CommandId)>> m_knows;
};

}  // namespace orvex::shell
