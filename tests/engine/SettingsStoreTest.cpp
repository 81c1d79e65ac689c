#include <gtest/gtest.h>

#include "RecordingOwner.h"
#include "engine/CurveModel.h"
#include "engine/SettingsStore.h"
#include "tests/support/MemoryStringStore.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using testing::RecordingOwner;
using testing::restoreSetting;

struct SettingsFixture : ::testing::Test {
    MemoryStringStore store;
    SettingsStore settings{store};
    RecordingOwner owner;
    CurveModel model{owner, owner.listener()};

    void put(const std::string& name, const std::string& text) {
        store.values[std::string(SettingsKeyPath) + "\\" + name] = text;
    }
    std::string get(const std::string& name) { return store.values.at(std::string(SettingsKeyPath) + "\\" + name); }
};

TEST_F(SettingsFixture, NothingStoredKeepsDefaultsAndSavingCreatesAllSeven) {
    settings.loadSettings(model);
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_FALSE(model.previewOn());
    EXPECT_FALSE(model.showOutputCurve());
    EXPECT_EQ(model.windowWidth(), 800);
    EXPECT_EQ(model.windowHeight(), 600);
    settings.saveSettings(model);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_EQ(get("ControlPntIdx"), "2");
    EXPECT_EQ(get("Gamma"), "1.000000");
    EXPECT_EQ(get("PanelChr"), "2.200000");
    EXPECT_EQ(get("ViewCurve"), "0");
    EXPECT_EQ(get("Preview"), "0");
    EXPECT_EQ(get("Width"), "800");
    EXPECT_EQ(get("Height"), "600");
}

TEST_F(SettingsFixture, CheckBoxNamesAreCrossedBothWays) {
    restoreSetting(model, &ModelSettings::previewOn, true);
    settings.saveSettings(model);
    EXPECT_EQ(get("ViewCurve"), "1");
    EXPECT_EQ(get("Preview"), "0");
    CurveModel fresh(owner, owner.listener());
    settings.loadSettings(fresh);
    EXPECT_TRUE(fresh.previewOn());
    EXPECT_FALSE(fresh.showOutputCurve());
}

TEST_F(SettingsFixture, RoundTripKeepsEveryValue) {
    restoreSetting(model, &ModelSettings::pointCountIndex, 5);
    restoreSetting(model, &ModelSettings::exponent, 2.35);
    restoreSetting(model, &ModelSettings::panelGamma, 1.8);
    restoreSetting(model, &ModelSettings::showOutputCurve, true);
    restoreSetting(model, &ModelSettings::windowWidth, 1024);
    restoreSetting(model, &ModelSettings::windowHeight, 700);
    settings.saveSettings(model);
    CurveModel fresh(owner, owner.listener());
    settings.loadSettings(fresh);
    EXPECT_EQ(fresh.pointCountIndex(), 5);
    EXPECT_DOUBLE_EQ(fresh.exponent(), 2.35);
    EXPECT_DOUBLE_EQ(fresh.panelGamma(), 1.8);
    EXPECT_TRUE(fresh.showOutputCurve());
    EXPECT_EQ(fresh.windowWidth(), 1024);
    EXPECT_EQ(fresh.windowHeight(), 700);
}

TEST_F(SettingsFixture, OddStoredValuesFallBack) {
    put("ControlPntIdx", "7");
    put("Gamma", "0.4");
    put("PanelChr", "abc");
    put("ViewCurve", "yes");
    put("Preview", " 3");
    put("Width", "100");
    put("Height", "-5");
    restoreSetting(model, &ModelSettings::exponent, 3);  // a rejected text gives the default, not the value before
    restoreSetting(model, &ModelSettings::panelGamma, 3);
    settings.loadSettings(model);
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_DOUBLE_EQ(model.exponent(), 1.0);
    EXPECT_DOUBLE_EQ(model.panelGamma(), 2.2);
    EXPECT_FALSE(model.previewOn());
    EXPECT_TRUE(model.showOutputCurve());
    EXPECT_EQ(model.windowWidth(), 640);
    EXPECT_EQ(model.windowHeight(), 480);

    const char* badGammas[] = {"nan", "inf", "1e3", "10.5", "2.2x", "", "-1.0", "0x1p1"};
    for (const char* text : badGammas) {
        put("Gamma", text);
        put("PanelChr", text);
        settings.loadSettings(model);
        EXPECT_DOUBLE_EQ(model.exponent(), 1.0) << text;
        EXPECT_DOUBLE_EQ(model.panelGamma(), 2.2) << text;
    }
    put("Gamma", " 10.000000 ");
    put("PanelChr", "0.1");
    put("ControlPntIdx", "-1");
    put("Width", "99999999999");
    settings.loadSettings(model);
    EXPECT_DOUBLE_EQ(model.exponent(), 10.0);
    EXPECT_DOUBLE_EQ(model.panelGamma(), 0.1);
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_EQ(model.windowWidth(), 65535);
}

TEST_F(SettingsFixture, TextLongerThanTheReadBufferIsNotRead) {
    // 255 characters and the terminating null fill the 256-byte buffer; one more does not fit.
    put("Width", std::string(252, ' ') + "900");
    put("Height", std::string(253, ' ') + "700");
    put("ControlPntIdx", std::string(255, '0') + "5");
    put("ViewCurve", "1" + std::string(255, ' '));
    settings.loadSettings(model);
    EXPECT_EQ(model.windowWidth(), 900);
    EXPECT_EQ(model.windowHeight(), 600) << "the default stays, not a cut text";
    EXPECT_EQ(model.pointCountIndex(), 2);
    EXPECT_FALSE(model.previewOn());
}

TEST_F(SettingsFixture, PointCountIndexKeepsTheLow16BitsBeforeTheRangeCheck) {
    const std::pair<const char*, int> cases[] = {
        {"65539", 3}, {"65536", 0}, {"131078", 6}, {"-65533", 3}, {"65543", 2}, {"-1", 2}, {"6", 6}, {"7", 2},
    };
    for (const auto& [text, expected] : cases) {
        put("ControlPntIdx", text);
        settings.loadSettings(model);
        EXPECT_EQ(model.pointCountIndex(), expected) << text;
    }
}

TEST_F(SettingsFixture, SavingCommitsAllSevenAtOnce) {
    restoreSetting(model, &ModelSettings::windowWidth, 1000);
    settings.saveSettings(model);
    EXPECT_EQ(store.commits, 1);
    EXPECT_EQ(store.values.size(), 7u);
    EXPECT_TRUE(store.pending.empty());

    // A commit that fails leaves every old value, not a mix.
    store.failCommits = true;
    restoreSetting(model, &ModelSettings::windowWidth, 1200);
    restoreSetting(model, &ModelSettings::pointCountIndex, 6);
    settings.saveSettings(model);
    EXPECT_EQ(store.commits, 2);
    EXPECT_EQ(get("Width"), "1000");
    EXPECT_EQ(get("ControlPntIdx"), "2");
}

TEST_F(SettingsFixture, WriteFailuresAreIgnored) {
    store.failWrites = true;
    settings.saveSettings(model);
    EXPECT_TRUE(store.values.empty());
}

}  // namespace
}  // namespace grayden
