#include <QCheckBox>
#include <QLabel>

#include "editor/pointlist/PointListCtrl.h"
#include "resources/StringIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/support/RestoreSetting.h"

namespace grayden::test {
namespace {

using grayden::testing::restoreSetting;

constexpr std::uint16_t VendorPageA = 0xFF00;
constexpr std::uint8_t UsageGammaCode = 0x66;

using EditorStartup = EditorFixture;

TEST_F(EditorStartup, OpensWithTheMonitorsTableNinePointsAndTheDefaultTexts) {
    EditorDialog& d = start();
    ASSERT_TRUE(started);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_TRUE(d.isInitialised());
    // A factory monitor reports gamma 2.2, which on a 2.2 panel is the straight line 32·i.
    EXPECT_EQ(d.model().currentTable(), identityTable());
    EXPECT_EQ(d.model().baselineTable(), d.model().sourceTable());
    EXPECT_EQ(d.model().livePointCount(), 9);
    EXPECT_EQ(d.pointList().model()->rowCount(), 256);
    EXPECT_EQ(d.readoutText(), "X = 0, Y = 0");
    EXPECT_EQ(d.gammaText(), "Panel Gamma : 2.20");
    EXPECT_FALSE(d.previewCheck().isChecked());
    EXPECT_FALSE(d.isCommandEnabled(Command::Undo));
    EXPECT_EQ(d.model().windowWidth(), 800);
}

TEST_F(EditorStartup, StoredSettingsApplyToTheFirstCurveAndTheWindowSize) {
    store.values[std::string(SettingsKeyPath) + "\\ControlPntIdx"] = "6";
    store.values[std::string(SettingsKeyPath) + "\\Preview"] = "1";
    store.values[std::string(SettingsKeyPath) + "\\Width"] = "1000";
    store.values[std::string(SettingsKeyPath) + "\\Height"] = "700";
    EditorDialog& d = start();
    ASSERT_TRUE(started);
    EXPECT_EQ(d.model().livePointCount(), 256);
    EXPECT_TRUE(d.outputCurveCheck().isChecked());
    EXPECT_EQ(d.frameGeometry().size(), QSize(1000, 700));
    for (int row = 0; row < 256; ++row) ASSERT_TRUE(d.pointList().listModel().cellStyle(1, row)->editable);
}

TEST_F(EditorStartup, NoMonitorRefusesWithMessageAndKeepsTheStoredSettings) {
    platform.unplug(platform.monitorIndex());
    store.values[std::string(SettingsKeyPath) + "\\Width"] = "1234";
    EditorDialog& d = makeDialog();
    EXPECT_EQ(d.runModal(), EditorDialog::ResultExit);
    EXPECT_EQ(user.messages, std::vector<int>{MsgNoMonitor});
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(store.values.size(), 1u);
    EXPECT_EQ(store.values.begin()->second, "1234");
}

TEST_F(EditorStartup, RefusedWhenOnlyUnsupportedDevicesAreListed) {
    MonitorState wrongModel = factoryMonitorState();
    wrongModel.modelName = "QT441";
    SimulatedMonitorPlatform other(wrongModel);
    DeviceList otherDevices(other);
    EditorDialog d(otherDevices, store, user);
    EXPECT_FALSE(d.initialise());
    EXPECT_EQ(user.messages, std::vector<int>{MsgNoMonitor});
}

class CalibratedStartup : public EditorFixture {
protected:
    CalibratedStartup() : EditorFixture(calibrated()) {}
    static MonitorState calibrated() {
        MonitorState state = factoryMonitorState();
        state.calibrated = true;
        return state;
    }
};

TEST_F(CalibratedStartup, ACalibratedMonitorRefusesWithItsMessage) {
    EditorDialog& d = makeDialog();
    EXPECT_EQ(d.runModal(), EditorDialog::ResultExit);
    EXPECT_EQ(user.messages, std::vector<int>{MsgAlreadyCalibrated});
    EXPECT_TRUE(store.values.empty()) << "nothing saved after a refused start";
}

TEST_F(EditorStartup, AFailedFirstReadEndsTheWindowAndWritesNothingBack) {
    platform.failUsage(VendorPageA, UsageGammaCode);
    EditorDialog& d = makeDialog();
    EXPECT_EQ(d.runModal(), EditorDialog::ResultExit);
    EXPECT_EQ(user.messages, std::vector<int>{MsgReadFailed});
    platform.clearFaults();
    writesSince();
    d.close();
    EXPECT_EQ(writesSince(), 0u);
    EXPECT_TRUE(store.values.empty());
}

TEST_F(EditorStartup, SettingsAreSavedWhenTheWindowEnds) {
    EditorDialog& d = start();
    ASSERT_TRUE(started);
    restoreSetting(d.model(), &ModelSettings::showOutputCurve, true);
    d.onCommand(Command::Exit);
    EXPECT_EQ(d.result(), EditorDialog::ResultExit);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_EQ(store.values[std::string(SettingsKeyPath) + "\\Preview"], "1");
    EXPECT_EQ(store.values[std::string(SettingsKeyPath) + "\\ViewCurve"], "0");
    EXPECT_EQ(devices.devices().size(), 0u) << "devices closed at the end";
}

}  // namespace
}  // namespace grayden::test
