#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include "editor/IniStringStore.h"
#include "engine/CurveModel.h"

namespace grayden {
namespace {

TEST(IniStringStore, SettingsRoundTripThroughTheUsersConfigFolder) {
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/KOVA/LCD Ombrel Ver2.0x.ini";
    QFile::remove(expected);
    {
        IniStringStore store;
        EXPECT_EQ(store.fileName(), expected);
        std::string text;
        EXPECT_FALSE(store.ReadStringValue(SettingsKeyPath, "Width", text));

        DetachedOwner owner;
        CurveModel model(owner);
        model.pointCountIndex = 5;
        model.exponent = 1.8;
        model.previewOn = true;
        model.windowWidth = 1024;
        SettingsStore(store).SaveSettings(model);
    }
    ASSERT_TRUE(QFile::exists(expected));
    QSettings raw(expected, QSettings::IniFormat);
    EXPECT_EQ(raw.value("ControlPntIdx").toString(), "5");
    EXPECT_EQ(raw.value("Gamma").toString(), "1.800000");
    EXPECT_EQ(raw.value("ViewCurve").toString(), "1");
    EXPECT_EQ(raw.value("Preview").toString(), "0");

    IniStringStore store;
    DetachedOwner owner;
    CurveModel loaded(owner);
    SettingsStore(store).LoadSettings(loaded);
    EXPECT_EQ(loaded.pointCountIndex, 5);
    EXPECT_DOUBLE_EQ(loaded.exponent, 1.8);
    EXPECT_TRUE(loaded.previewOn);
    EXPECT_FALSE(loaded.showOutputCurve);
    EXPECT_EQ(loaded.windowWidth, 1024);
    EXPECT_EQ(loaded.windowHeight, 600);

    std::string text;
    EXPECT_FALSE(store.ReadStringValue("Software\\Other", "Width", text)) << "only the editor's own key";
    QFile::remove(expected);
}

}  // namespace
}  // namespace grayden
