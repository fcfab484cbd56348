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

TEST(CommandTable, UpdateHandlersFillTheState) {
    Target view;
    view.readOnly = true;
    CommandState s;
    EXPECT_TRUE(view.onUpdateCommand(32781, s));
    EXPECT_FALSE(s.enabled);
    EXPECT_TRUE(s.checked);
    s.checked = true;
    EXPECT_TRUE(view.onUpdateCommand(33105, s));
    EXPECT_TRUE(s.enabled);  // no update handler: enabled, not checked
    EXPECT_FALSE(s.checked);
    EXPECT_FALSE(view.onUpdateCommand(40000, s));
}

TEST(CommandTable, OverlapsAreReported) {
    CommandTable<Target> bad{{10, 20, &Target::range, nullptr}, {20, 20, &Target::single, nullptr}};
    EXPECT_EQ(bad.overlaps(), std::vector<CommandId>{20});
}

namespace {

// A target that states its gate, and a recorder that writes into the same
// log as the handlers, so that the order of records and work shows.
class Recorder final : public CommandRecorder {
public:
    explicit Recorder(std::vector<std::string>& log) : m_log(log) {}
    int slot = 1;
    int recordingSlot() const override { return slot; }
    void record(uint16_t code, uint16_t parameter, int32_t) override {
        m_log.push_back("rec " + std::to_string(code) + "/" + std::to_string(parameter));
    }

private:
    std::vector<std::string>& m_log;
};

class GatedTarget {
public:
    std::vector<std::string> log;
    Recorder recorder{log};
    CommandGate gate{true, true, &recorder};
    int refused = 0;
    CommandGate commandGate() const { return gate; }
    void commandRefused(CommandId) { ++refused; }
    void run(CommandId id) { log.push_back("run " + std::to_string(id)); }
    // A handler that starts or stops the recording it would be recorded in.
    void toggleRecording(CommandId id) {
        log.push_back("run " + std::to_string(id));
        recorder.slot = recorder.slot ? 0 : 1;
    }
    static const CommandTable<GatedTarget>& table() {
        static const CommandTable<GatedTarget> t{
            {cmd::kCut, cmd::kCut, &GatedTarget::run, nullptr},            // selection, edit, recorded after
            {cmd::kUndo, cmd::kUndo, &GatedTarget::run, nullptr},          // edit, recorded first
            {cmd::kCharLeft, cmd::kCharLeft, &GatedTarget::toggleRecording, nullptr},  // recorded after
            {cmd::kReplaceForward, cmd::kReplaceForward, &GatedTarget::run, nullptr},  // records itself
            {cmd::kCascade, cmd::kCascade, &GatedTarget::run, nullptr},    // no flags
        };
        return t;
    }
};

struct GateRow {
    CommandId id;
    bool editable, selection;
    std::vector<std::string> log;  // what dispatch leaves in the log
    bool enabled;                  // what update reports
    int refused;
};

class CommandGateTest : public ::testing::TestWithParam<GateRow> {};

TEST_P(CommandGateTest, RefusesGreysAndRecordsByTheRegistryFlags) {
    const GateRow& row = GetParam();
    GatedTarget t;
    t.gate.editable = row.editable;
    t.gate.hasSelection = row.selection;
    EXPECT_TRUE(GatedTarget::table().dispatch(t, row.id));
    EXPECT_EQ(t.log, row.log);
    EXPECT_EQ(t.refused, row.refused);
    CommandState s;
    EXPECT_TRUE(GatedTarget::table().update(t, row.id, s));
    EXPECT_EQ(s.enabled, row.enabled);
}

const std::string kCut = std::to_string(cmd::kCut), kUndo = std::to_string(cmd::kUndo);
const std::string kLeft = std::to_string(cmd::kCharLeft), kRep = std::to_string(cmd::kReplaceForward);

INSTANTIATE_TEST_SUITE_P(
    Flags, CommandGateTest,
    ::testing::Values(GateRow{cmd::kCut, true, true, {"run " + kCut, "rec " + kCut + "/0"}, true, 0},
                      GateRow{cmd::kCut, true, false, {}, false, 0},
                      GateRow{cmd::kCut, false, true, {}, false, 1},
                      GateRow{cmd::kUndo, true, false, {"rec " + kUndo + "/0", "run " + kUndo}, true, 0},
                      GateRow{cmd::kUndo, false, false, {}, false, 1},
                      GateRow{cmd::kReplaceForward, true, true, {"run " + kRep}, true, 0},
                      GateRow{cmd::kCascade, false, false, {"run " + std::to_string(cmd::kCascade)}, true, 0}),
    [](const ::testing::TestParamInfo<GateRow>& info) {
        return std::to_string(info.param.id) + (info.param.editable ? "_editable" : "_readOnly") +
               (info.param.selection ? "_selection" : "_noSelection");
    });

TEST(CommandGate, RecordingIsAskedWhenTheRecordIsWritten) {
    GatedTarget t;
    // The command ends the recording: it is not recorded after its work.
    GatedTarget::table().dispatch(t, cmd::kCharLeft);
    EXPECT_EQ(t.log, std::vector<std::string>{"run " + kLeft});
    // It starts it again: recorded.
    GatedTarget::table().dispatch(t, cmd::kCharLeft);
    EXPECT_EQ(t.log.back(), "rec " + kLeft + "/0");
}

TEST(CommandGate, TargetsWithoutAGateAreNeverRefused) {
    Target t;  // no commandGate(): nothing to refuse for, nothing recorded
    EXPECT_TRUE(t.onCommand(32781));
    EXPECT_EQ(t.ran, std::vector<CommandId>{32781});
}

}  // namespace
