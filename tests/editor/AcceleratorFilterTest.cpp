#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/window/AcceleratorFilter.h"
#include "editor/window/EditorDialog.h"

namespace grayden {
namespace {

// The main window's accelerator table, filtering the whole application; commands are recorded.
struct AcceleratorFilterTest : ::testing::Test {
    std::vector<int> delivered;
    AcceleratorFilter filter{loadAcceleratorTable(129), [this](int command) {
                                 delivered.push_back(command);
                                 return true;
                             }};
    QLineEdit edit;
    void SetUp() override {
        qApp->installEventFilter(&filter);
        edit.show();
    }
    void TearDown() override { qApp->removeEventFilter(&filter); }
};

TEST_F(AcceleratorFilterTest, CtrlKeysReachTheMainWindowFromAnyWidgetBeforeTheWidgetSeesThem) {
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(edit.text(), "a");
    QTest::keyClick(&edit, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(delivered, (std::vector<int>{Command::Undo, Command::Open}));
}

TEST_F(AcceleratorFilterTest, AnOpenMenuKeepsTheKeysForItselfUntilItCloses) {
    QMenu menu;
    menu.addAction("Item");
    menu.popup(QPoint(10, 10));
    ASSERT_EQ(QApplication::activePopupWidget(), &menu);
    // Key presses go to the open menu, wherever the focus was before it opened.
    QTest::keyClick(&menu, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(delivered.empty());
    menu.close();
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(&edit, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(delivered, std::vector<int>{Command::Open});
}

}  // namespace
}  // namespace grayden
