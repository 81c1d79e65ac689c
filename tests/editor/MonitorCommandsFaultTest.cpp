// Every exchange of an operation is made to fail in turn: the operation must stop there with the
// right message, retry nothing and leave the editor's tables as the protocol says.
#include <gtest/gtest.h>

#include <functional>

#include "device/TonePacking.h"
#include "device/simulated/SimulatedMonitorReports.h"
#include "engine/GammaCurves.h"
#include "resources/StringIds.h"
#include "tests/editor/CommandsRig.h"

namespace grayden {
namespace {

using testing::CommandsRig;

// The exchanges a prepared rig makes for the operation when nothing fails.
std::vector<SimulatedExchange> dryRun(const std::function<void(CommandsRig&)>& prepare,
                                      const std::function<bool(CommandsRig&)>& operation) {
    CommandsRig rig;
    prepare(rig);
    rig.record();
    EXPECT_TRUE(operation(rig));
    EXPECT_TRUE(rig.messages.empty());
    return rig.sim.exchanges();
}

int messageFor(const SimulatedExchange& e) {
    return e.direction == ExchangeDirection::Get ? MsgReadFailed : MsgWriteFailed;
}

// A running editor whose monitor holds a custom table and whose mode register was changed
// since the last transfer, so every kind of exchange takes part.
void prepareEditing(CommandsRig& rig) {
    ASSERT_EQ(rig.startUp(), StartupOutcome::Ready);
    MonitorState& m = rig.sim.monitor().state();
    for (int i = 0; i < LevelCount; ++i) {
        m.stored[i] = packToneLevel(makeDefaultCurve(1.6)[i]);
        m.preview[i] = packToneLevel(makeDefaultCurve(2.6)[i]);
    }
    m.gammaCode = CustomTableGammaCode;
    m.mode = 1;
    rig.model.installTable(rig.model.sourceTable());
    ASSERT_TRUE(rig.model.setPointValue(3, 5000));
    rig.messages.clear();
    rig.feedback.busy.clear();
}

TEST(MonitorCommandsFaults, EveryExchangeOfReadFromMonitor) {
    const auto log = dryRun(prepareEditing, [](CommandsRig& r) { return r.model.readFromMonitor(); });
    ASSERT_EQ(log.size(), 14u);
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE("failing exchange " + std::to_string(i));
        CommandsRig rig;
        prepareEditing(rig);
        const CurveModel before = rig.model;
        rig.record();
        rig.sim.failExchange(i + 1);
        EXPECT_FALSE(rig.model.readFromMonitor());
        EXPECT_EQ(rig.messages, (std::vector<int>{messageFor(log[i])}));
        EXPECT_EQ(rig.sim.exchanges().size(), i + 1) << "nothing after the failure, nothing retried";
        EXPECT_EQ(rig.model.currentTable(), before.currentTable());
        EXPECT_EQ(rig.model.sourceTable(), before.sourceTable());
        EXPECT_EQ(rig.model.baselineTable(), before.baselineTable());
        ASSERT_EQ(rig.model.undoHistory().size(), 1u) << "the record is pushed before the read";
        EXPECT_EQ(rig.model.undoHistory().back().table, before.currentTable());
    }
}

TEST(MonitorCommandsFaults, EveryExchangeOfWriteToMonitor) {
    const auto log = dryRun(prepareEditing, [](CommandsRig& r) { return r.model.writeToMonitor(); });
    ASSERT_EQ(log.size(), 24u);
    // The write begins with the third readiness check, two exchanges before block 0 is selected.
    std::size_t writeStart = 0;
    while (!(log[writeStart].reportId == BlockSelectReport && log[writeStart].bytes[0] == 0)) ++writeStart;
    writeStart -= 2;
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE("failing exchange " + std::to_string(i));
        CommandsRig rig;
        prepareEditing(rig);
        const CurveModel before = rig.model;
        const PackedBank storedBefore = rig.sim.monitor().state().stored;
        rig.record();
        rig.sim.failExchange(i + 1);
        EXPECT_FALSE(rig.model.writeToMonitor());
        EXPECT_EQ(rig.messages, (std::vector<int>{messageFor(log[i])}));
        EXPECT_EQ(rig.sim.exchanges().size(), i + 1);
        EXPECT_EQ(rig.model.currentTable(), before.currentTable());
        EXPECT_EQ(rig.model.sourceTable(), before.sourceTable());
        EXPECT_EQ(rig.feedback.busy, (std::vector<bool>{true, false}));
        if (i < writeStart) {
            EXPECT_TRUE(rig.model.undoHistory().empty());
            EXPECT_EQ(rig.model.baselineTable(), before.baselineTable());
            EXPECT_EQ(rig.sim.monitor().state().stored, storedBefore);
        } else {
            ASSERT_EQ(rig.model.undoHistory().size(), 1u);
            EXPECT_EQ(rig.model.undoHistory().back().table, before.baselineTable());
            EXPECT_EQ(rig.model.baselineTable(), before.currentTable()) << "the baseline follows even a failed write";
        }
    }
}

TEST(MonitorCommandsFaults, EveryExchangeOfStartUp) {
    const auto log = dryRun([](CommandsRig&) {}, [](CommandsRig& r) { return r.startUp() == StartupOutcome::Ready; });
    const struct {
        StartupOutcome outcome;
        std::vector<int> messages;
    } expected[] = {
        {StartupOutcome::NoMonitor, {MsgReadFailed, MsgNoMonitor}},  // get id
        {StartupOutcome::Ready, {}},                                 // get mode: the check says "not calibrated"
        {StartupOutcome::Ready, {}},                                 // set mode: not examined
        {StartupOutcome::Ready, {}},                                 // get status: not calibrated
        {StartupOutcome::FirstReadFailed, {MsgReadFailed}},          // get mode of the first read
        {StartupOutcome::FirstReadFailed, {MsgReadFailed}},          // get status
        {StartupOutcome::FirstReadFailed, {MsgReadFailed}},          // get gamma
    };
    ASSERT_EQ(log.size(), std::size(expected));
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE("failing exchange " + std::to_string(i));
        CommandsRig rig;
        rig.sim.failExchange(i + 1);
        EXPECT_EQ(rig.startUp(), expected[i].outcome);
        EXPECT_EQ(rig.messages, expected[i].messages);
        if (expected[i].outcome == StartupOutcome::Ready) {
            EXPECT_EQ(rig.model.sourceTable(), identityTable());
        } else {
            EXPECT_EQ(rig.model.sourceTable(), ToneTable{});
            EXPECT_FALSE(rig.writeBaselineOnClose());
        }
    }
}

}  // namespace
}  // namespace grayden
