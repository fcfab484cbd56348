#include <gtest/gtest.h>

#include "common/commands/CommandTable.h"

using namespace orvex;

namespace {

class Target : public CommandTarget {
public:
    std::vector<CommandId> ran;
    bool readOnly = false;
    void single(CommandId id) { ran.push_back(id); }
    void range(CommandId id) { ran.push_back(id); }
    void updateSingle(CommandId, CommandState& s) {
        s.enabled = !readOnly;
        s.checked = true;
    }
    static const CommandTable<Target>& table() {
        static const CommandTable<Target> t{
            {32781, 32781, &Target::single, &Target::updateSingle},
            {33100, 33109, &Target::range, nullptr},
        };
        return t;
    }
    bool onCommand(CommandId id) override { return table().dispatch(*this, id); }
    bool onUpdateCommand(CommandId id, CommandState& s) override { return table().update(*this, id, s); }
};

}  // namespace

TEST(CommandTable, FindsSingleIdsAndRanges) {
    Target t;
    EXPECT_TRUE(t.onCommand(32781));
    EXPECT_TRUE(t.onCommand(33100));
    EXPECT_TRUE(t.onCommand(33109));
    EXPECT_FALSE(t.onCommand(33110));
    EXPECT_FALSE(t.onCommand(32780));
    EXPECT_FALSE(t.onCommand(0));
    EXPECT_EQ(t.ran, (std::vector<CommandId>{32781, 33100, 33109}));
    EXPECT_TRUE(Target::table().overlaps().empty());
}

TEST(CommandTable, UpdateHandlersAndRouting) {
    Target view, frame;
    view.readOnly = true;
    CommandState s;
    EXPECT_TRUE(routeUpdate({&view, &frame}, 32781, s));
    EXPECT_FALSE(s.enabled);
    EXPECT_TRUE(s.checked);
    EXPECT_TRUE(routeUpdate({&view}, 33105, s));
    EXPECT_TRUE(s.enabled);   // no update handler: enabled, not checked
    EXPECT_FALSE(s.checked);
    EXPECT_FALSE(routeUpdate({&view, &frame}, 40000, s));
    EXPECT_FALSE(s.enabled);
    // The first target in the chain that knows the id takes it.
    EXPECT_TRUE(routeCommand({nullptr, &view, &frame}, 33101));
    EXPECT_EQ(view.ran.size(), 1u);
    EXPECT_TRUE(frame.ran.empty());
}

TEST(CommandTable, OverlapsAreReported) {
    CommandTable<Target> bad{{10, 20, &Target::range, nullptr}, {20, 20, &Target::single, nullptr}};
    EXPECT_EQ(bad.overlaps(), std::vector<CommandId>{20});
}
