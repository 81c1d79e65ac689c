#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/AcceleratorFilter.h"
#include "editor/EditorDialog.h"

namespace grayden {
namespace {

TEST(AcceleratorFilter, CtrlKeysReachTheMainWindowFromAnyWidgetBeforeTheWidgetSeesThem) {
    std::vector<int> delivered;
    AcceleratorFilter filter(loadAcceleratorTable(129), [&](int command) {
        delivered.push_back(command);
        return true;
    });
    qApp->installEventFilter(&filter);
    QLineEdit edit;
    edit.show();
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(edit.text(), "a");
    QTest::keyClick(&edit, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_W, Qt::AltModifier);
    qApp->removeEventFilter(&filter);
    EXPECT_EQ(delivered, (std::vector<int>{Command::Undo, Command::Open}));
}

TEST(AcceleratorFilter, AnOpenMenuKeepsTheKeysForItselfUntilItCloses) {
    std::vector<int> delivered;
    AcceleratorFilter filter(loadAcceleratorTable(129), [&](int command) {
        delivered.push_back(command);
        return true;
    });
    qApp->installEventFilter(&filter);
    QLineEdit edit;
    edit.show();
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
    qApp->removeEventFilter(&filter);
    EXPECT_EQ(delivered, std::vector<int>{Command::Open});
}

}  // namespace
}  // namespace grayden
