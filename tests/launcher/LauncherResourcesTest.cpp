// The launcher's resources are all there, in both languages, at the sizes the window expects.
#include <gtest/gtest.h>

#include "launcher/LauncherResources.h"
#include "resources/StringTable.h"
#include "tests/support/LoadedLibraries.h"

namespace grayden {
namespace {

TEST(LauncherResources, EveryPieceExistsInBothLanguages) {
    for (Language language : {Language::English, Language::Japanese}) {
        SCOPED_TRACE(static_cast<int>(language));
        DialogTemplate window;
        ASSERT_TRUE(loadLauncherDialog(101, language, window));
        EXPECT_EQ(window.size, QSize(295, 139));
        for (int id : {1012, 1005, 1008, 1014}) EXPECT_NE(window.control(id), nullptr) << id;
        DialogTemplate box;
        ASSERT_TRUE(loadLauncherDialog(100, language, box));
        EXPECT_EQ(box.size, QSize(325, 49));
        for (int id : {-1, 1010, 1011, 1015}) EXPECT_NE(box.control(id), nullptr) << id;

        EXPECT_EQ(loadLauncherBitmap(301, language).size(), QSize(480, 72));
        for (int id : {1122, 1123, 1126, 1127, 1128})
            EXPECT_EQ(loadLauncherBitmap(id, language).size(), QSize(480, 24)) << id;
        for (int id : {201, 202, 204, 205, 206, 207, 208, 209, 210, 211, 215, 221, 223, 224, 225})
            EXPECT_FALSE(stringText(id, language).empty()) << id;
    }
    // The captions differ by language; the banner is one picture.
    EXPECT_NE(loadLauncherBitmap(1122, Language::English).toImage(),
              loadLauncherBitmap(1122, Language::Japanese).toImage());
    EXPECT_FALSE(loadLauncherIcon(102).isNull());
    EXPECT_NE(loadLauncherCursor(451).shape(), Qt::ArrowCursor);
    // Neither the images nor the program's links load what the first window does not need.
    EXPECT_FALSE(testing::libraryLoaded("/imageformats/"));
    EXPECT_FALSE(testing::libraryLoaded("libgio-2.0"));
}

}  // namespace
}  // namespace grayden
