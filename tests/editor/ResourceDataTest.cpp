#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStyleFactory>

#include <gtest/gtest.h>
#include <memory>

#include <cerrno>
#include <cstring>

#include "editor/window/AcceleratorTable.h"
#include "editor/window/EditorDialog.h"
#include "editor/window/MenuBarStyle.h"
#include "editor/window/MenuTemplate.h"
#include "render/ResourceFiles.h"
#include "render/UiText.h"
#include "tests/support/LoadedLibraries.h"
#include "ui/DialogUnits.h"

namespace grayden {
namespace {

TEST(UiLanguage, JapaneseOnlyWhenTheFirstInterfaceLanguageIsJapanese) {
    EXPECT_EQ(languageForUiLanguages({"ja-JP", "en-US"}), Language::Japanese);
    EXPECT_EQ(languageForUiLanguages({"ja"}), Language::Japanese);
    EXPECT_EQ(languageForUiLanguages({"en-US", "ja-JP"}), Language::English);
    EXPECT_EQ(languageForUiLanguages({"jv-ID"}), Language::English);
    EXPECT_EQ(languageForUiLanguages({}), Language::English);
}

TEST(UiText, FormattedTextsFollowTheStringTable) {
    EXPECT_EQ(readoutTextFor(0, 0), "X = 0, Y = 0");
    EXPECT_EQ(readoutTextFor(127, 8160), "X = 127, Y = 8160");
    EXPECT_EQ(gammaTextFor(2.2), "Panel Gamma : 2.20");
    EXPECT_EQ(gammaTextFor(1.005), "Panel Gamma : 1.00");
    EXPECT_EQ(fileMessageText(MsgCannotOpenFile, {"/t/a.csv", FileFailure::Cause::System, ENOENT}),
              QString("Cannot open the file or invalid file type.\n/t/a.csv\n") + std::strerror(ENOENT));
    EXPECT_EQ(fileMessageText(MsgCannotOpenFile, {"/t/p", FileFailure::Cause::NotRegularFile, 0}).section('\n', 1),
              "/t/p\nIt is not a regular file (a folder, named pipe or device).");
}

TEST(StringTable, EveryTextTheEditorShowsExistsInBothLanguages) {
    const int ids[] = {101,   32771, 32772, 32773, 32774, 32775, 32776, 32777, 32778, 32779, 32780, 32782,
                       32783, 32784, 32787, 32788, 32789, 32790, 32791, 32792, 32793, 32794, 32795, 32796,
                       32797, 32798, 32799, 32800, 32801, 32802, 32803, 32810, 32811, 32812, 33101, 33102,
                       33103, 33104, 33105, 33106, 33107, 33108, 33201, 33301, 33401, 33402};
    for (int id : ids) {
        EXPECT_FALSE(stringText(id, Language::English).empty()) << id;
        EXPECT_FALSE(stringText(id, Language::Japanese).empty()) << id;
    }
    EXPECT_EQ(stringText(32799, Language::Japanese), "Grayden by KOVA VALEN CORPORATION");
    EXPECT_NE(stringText(32803, Language::English).find('\n'), std::string_view::npos);
}

TEST(DialogTemplate, MainWindowTemplatesCarryTheirRectanglesInDialogUnits) {
    DialogTemplate en;
    ASSERT_TRUE(loadDialogTemplate(102, Language::English, en));
    EXPECT_EQ(en.size, QSize(362, 238));
    EXPECT_EQ(en.fontFamily, "Arial");
    EXPECT_EQ(en.title, "LCD Ombrel Utility Ver2.0.0");
    EXPECT_EQ(en.menuId, 129);
    ASSERT_NE(en.control(1009), nullptr);
    EXPECT_EQ(en.control(1009)->rect, QRect(4, 7, 140, 223));
    EXPECT_FALSE(en.control(1001)->visible);
    EXPECT_EQ(en.control(1005)->text, "Display output curve");

    DialogTemplate ja;
    ASSERT_TRUE(loadDialogTemplate(102, Language::Japanese, ja));
    EXPECT_EQ(ja.size, QSize(362, 297));
    EXPECT_EQ(ja.fontFamily, QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_EQ(ja.control(1004)->text, QString::fromUtf8("プレビュー"));
    EXPECT_EQ(ja.control(1013)->rect, QRect(219, 250, 136, 33));
    EXPECT_EQ(ja.controls.size(), en.controls.size());

    DialogTemplate missing;
    EXPECT_FALSE(loadDialogTemplate(999, Language::English, missing));
}

TEST(DialogUnits, ConvertWithTheFontsBaseUnitsRoundingLikeMulDiv) {
    const QSize base(7, 15);
    EXPECT_EQ(mapDialogRect(QRect(4, 7, 140, 223), base), QRect(7, 13, 245, 418));
    EXPECT_EQ(mapDialogSize(QSize(362, 238), base), QSize(634, 446));
    const QSize measured = dialogBaseUnits(QFont("Arial", 9));
    EXPECT_GT(measured.width(), 3);
    EXPECT_GT(measured.height(), 8);
}

TEST(MenuTemplate, BothLanguagesShareStructureAndCommandIds) {
    std::vector<MenuPopupTemplate> en;
    std::vector<MenuPopupTemplate> ja;
    ASSERT_TRUE(loadMenuTemplate(129, Language::English, en));
    ASSERT_TRUE(loadMenuTemplate(129, Language::Japanese, ja));
    ASSERT_EQ(en.size(), 4u);
    ASSERT_EQ(ja.size(), en.size());
    std::vector<int> ids;
    for (std::size_t p = 0; p < en.size(); ++p) {
        ASSERT_EQ(en[p].items.size(), ja[p].items.size());
        for (std::size_t i = 0; i < en[p].items.size(); ++i) {
            EXPECT_EQ(en[p].items[i].id, ja[p].items[i].id);
            EXPECT_EQ(en[p].items[i].separator, ja[p].items[i].separator);
            ids.push_back(en[p].items[i].separator ? 0 : en[p].items[i].id);
        }
    }
    using namespace Command;
    EXPECT_EQ(ids, (std::vector<int>{Open, 0, Save, SaveAs, 0, Exit, ReadFromMonitor, WriteToMonitor, 0, Undo, 0,
                                     MeasureLuminance, Command::ConformanceReport, ControlPoints, DefaultCurve,
                                     PanelCharacteristic, GsdfCurve, AboutBox}));
    EXPECT_EQ(en[0].items[0].text, "&Open...\tCtrl+O");
    EXPECT_TRUE(en[1].items[3].grayed);
    EXPECT_EQ(ja[2].text, QString::fromUtf8("設定(&S)"));
    // The third and fourth Setting items take their texts, without a key name, from the string table.
    EXPECT_EQ(en[2].items[2].text, "&Panel Characteristic...");
    EXPECT_EQ(ja[2].items[2].text, QString::fromUtf8("パネル特性(&P)..."));
    EXPECT_EQ(en[2].items[3].text, "DICOM &GSDF Curve...");
    EXPECT_EQ(ja[2].items[3].text, QString::fromUtf8("DICOM GSDF 曲線(&G)..."));
    EXPECT_EQ(en[1].items[5].text, "&Measure Luminance...");
    EXPECT_EQ(ja[1].items[5].text, QString::fromUtf8("輝度の測定(&M)..."));
}

// The status bar shows the string whose id is the item's command id.
TEST(MenuTemplate, EveryCommandButUndoHasAStatusPromptInBothLanguages) {
    for (const Language language : {Language::English, Language::Japanese}) {
        std::vector<MenuPopupTemplate> popups;
        ASSERT_TRUE(loadMenuTemplate(129, language, popups));
        for (const MenuPopupTemplate& popup : popups) {
            for (const MenuItemTemplate& item : popup.items) {
                if (item.separator || item.id == Command::Undo) continue;
                EXPECT_FALSE(stringText(item.id, language).empty()) << item.id;
            }
        }
    }
}

TEST(AcceleratorTable, CtrlKeysMatchTheirCommandsAndNothingElse) {
    const std::vector<Accelerator> table = loadAcceleratorTable(129);
    ASSERT_EQ(table.size(), 5u);
    auto match = [&](int key, Qt::KeyboardModifiers modifiers) {
        const QKeyEvent event(QEvent::KeyPress, key, modifiers);
        return matchAccelerator(table, event);
    };
    EXPECT_EQ(match(Qt::Key_O, Qt::ControlModifier), Command::Open);
    EXPECT_EQ(match(Qt::Key_R, Qt::ControlModifier), Command::ReadFromMonitor);
    EXPECT_EQ(match(Qt::Key_S, Qt::ControlModifier), Command::Save);
    EXPECT_EQ(match(Qt::Key_W, Qt::ControlModifier), Command::WriteToMonitor);
    EXPECT_EQ(match(Qt::Key_Z, Qt::ControlModifier), Command::Undo);
    EXPECT_EQ(match(Qt::Key_Z, Qt::ControlModifier | Qt::KeypadModifier), Command::Undo);
    EXPECT_EQ(match(Qt::Key_O, Qt::NoModifier), 0);
    EXPECT_EQ(match(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier), 0);
    EXPECT_EQ(match(Qt::Key_A, Qt::ControlModifier), 0);
}

TEST(CursorResource, HandCursorIs32PixelsWithItsHotSpotAtEightEight) {
    const QCursor hand = loadCursor(144);
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(8, 8));
    EXPECT_FALSE(loadIcon(128).isNull());
}

// The built-in formats read the built-in images: no image plugin is loaded, so none slows the start.
TEST(ImageResources, ReadWithoutAnyImagePlugin) {
    EXPECT_FALSE(loadCursor(144).pixmap().isNull());
    EXPECT_FALSE(loadIcon(128).pixmap(16, 16).isNull());
    for (int id : {135, 137, 139, 140}) {
        const QImage bitmap = loadBitmap(id);
        EXPECT_FALSE(bitmap.isNull()) << id;
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB32) << id;
    }
    // Every menu bar asks the style for its extension arrows when it is made.
    installMenuBarStyle();
    const QMenuBar menuBar;
    EXPECT_FALSE(testing::libraryLoaded("/imageformats/"));

    // The arrows are Qt's own.
    const std::unique_ptr<QStyle> qtStyle(QStyleFactory::create("fusion"));
    for (QStyle::StandardPixmap arrow :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon ours = QApplication::style()->standardIcon(arrow);
        const QIcon qts = qtStyle->standardIcon(arrow);
        ASSERT_EQ(ours.availableSizes(), qts.availableSizes()) << arrow;
        for (QSize size : qts.availableSizes())
            EXPECT_EQ(ours.pixmap(size).toImage(), qts.pixmap(size).toImage()) << arrow;
    }
}

}  // namespace
}  // namespace grayden
