#include <QApplication>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "editor/pointlist/InplaceEdit.h"
#include "editor/pointlist/PointListCtrl.h"
#include "engine/CurveModel.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using grayden::testing::restoreSetting;

struct Commit {
    int row;
    int column;
    std::string text;
};

// Passes everything to the list's own model and keeps each value handed to it.
class RecordingModel : public QIdentityProxyModel {
public:
    std::vector<Commit> committed;

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        committed.push_back({index.row(), index.column(), value.toString().toStdString()});
        return QIdentityProxyModel::setData(index, value, role);
    }
};

class PointListTest : public ::testing::Test {
protected:
    PointListTest() : model(owner) {
        auto* layout = new QVBoxLayout(&window);
        list = new PointListCtrl(model, &window);
        other = new QLineEdit(&window);
        layout->addWidget(list);
        layout->addWidget(other);
        window.resize(260, 420);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        model.installTable(identityTable());
        recorder.setSourceModel(&list->listModel());
        list->setModel(&recorder);
        fill(true);
    }

    void fill(bool withColumns) { list->fill(withColumns); }

    // Selects a row by clicking it, then double-clicks one of its cells.
    bool doubleClick(int row, int column) {
        const QModelIndex index = list->model()->index(row, column);
        list->scrollTo(index);
        const QPoint pos = list->visualRect(index).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, pos);
        QCursor::setPos(list->viewport()->mapToGlobal(pos));
        return list->openEditorAt(pos);
    }

    QString cell(int row, int column) const { return list->listModel().cellText(row, column); }

    DetachedMonitor owner;
    CurveModel model;
    // Declared before the window: an edit box still open commits into it while the window goes.
    RecordingModel recorder;
    std::vector<Commit>& committed = recorder.committed;
    QWidget window;
    PointListCtrl* list = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(PointListTest, RowsShowPaddedLevelsValuesAndPointColours) {
    ASSERT_EQ(list->model()->rowCount(), 256);
    EXPECT_EQ(cell(5, 0), "       5");
    EXPECT_EQ(cell(255, 0), "     255");
    EXPECT_EQ(cell(31, 1), "992");
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "LEVEL(X)");
    std::size_t styled = 0;
    for (int row = 0; row < 256; ++row)
        styled += list->listModel().cellStyle(0, row).has_value() + list->listModel().cellStyle(1, row).has_value();
    EXPECT_EQ(styled, 512u);

    auto colours = [this](int row, int column) {
        const std::optional<CellStyle> s = list->listModel().cellStyle(column, row);
        return std::make_tuple(s->backColour, s->textColour, s->editable);
    };
    // Level 31 is the second of nine points; level 30 is not a point.
    EXPECT_EQ(colours(31, 0), std::make_tuple(qRgb(192, 255, 192), qRgb(0, 0, 0), 0));
    EXPECT_EQ(colours(30, 0), std::make_tuple(qRgb(255, 255, 192), qRgb(0, 0, 0), 0));
    EXPECT_EQ(colours(31, 1), std::make_tuple(qRgb(192, 192, 255), qRgb(0, 0, 0), 1));
    EXPECT_EQ(colours(30, 1), std::make_tuple(qRgb(255, 255, 255), qRgb(180, 180, 180), 0));
    const QModelIndex value = list->model()->index(30, 1);
    EXPECT_EQ(value.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(180, 180, 180));

    restoreSetting(model, &ModelSettings::pointCountIndex, AllLevelsPointCountIndex);
    model.installTable(model.sourceTable());
    fill(false);
    for (int row = 0; row < 256; ++row) ASSERT_EQ(list->listModel().cellStyle(1, row)->editable, 1) << row;
}

TEST_F(PointListTest, FreedStylesLeaveTheSystemColoursAndNoCellToTypeInto) {
    list->freeCellStyles();
    const auto brush = [this](int role) { return list->model()->index(31, 1).data(role); };
    EXPECT_FALSE(brush(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(brush(Qt::ForegroundRole).isValid());
    EXPECT_EQ(cell(31, 1), "992") << "the texts stay";
    EXPECT_FALSE(doubleClick(31, 1));
    fill(false);
    EXPECT_TRUE(brush(Qt::BackgroundRole).isValid()) << "a refill brings the colours back";
}

TEST_F(PointListTest, ColumnWidthsSplitTheListWidthLessTheScrollBar) {
    const int available = list->width() - list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    EXPECT_EQ(list->columnWidth(0), available * 3 / 10);
    EXPECT_EQ(list->columnWidth(1), available - available * 3 / 10 - 4);
}

TEST_F(PointListTest, OnlyTheValueCellOfAControlPointOpensAnEditor) {
    EXPECT_FALSE(doubleClick(31, 0)) << "level cell";
    EXPECT_FALSE(doubleClick(30, 1)) << "value cell of a row that is not a point";
    EXPECT_FALSE(list->isEditing());
    ASSERT_TRUE(doubleClick(31, 1));
    ASSERT_TRUE(list->isEditing());
    EXPECT_EQ(list->editor()->text(), "992");
    EXPECT_EQ(list->editor()->selectedText(), "992");
}

TEST_F(PointListTest, EnterCommitsTheRewrittenTextAndEscapeCancels) {
    ASSERT_TRUE(doubleClick(63, 1));
    list->editor()->setText("12abc");
    QTest::keyClick(list->editor(), Qt::Key_Return);
    EXPECT_FALSE(list->isEditing());
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(committed[0].row, 63);
    EXPECT_EQ(committed[0].column, 1);
    EXPECT_EQ(cell(63, 1), "12");
    EXPECT_EQ(list->currentIndex().row(), 63);

    ASSERT_TRUE(doubleClick(63, 1));
    list->editor()->setText("9000");
    QTest::keyClick(list->editor(), Qt::Key_Return);
    EXPECT_EQ(cell(63, 1), "12") << "a refused value leaves the old text";

    ASSERT_TRUE(doubleClick(95, 1));
    list->editor()->setText("5");
    QTest::keyClick(list->editor(), Qt::Key_Escape);
    EXPECT_FALSE(list->isEditing());
    EXPECT_EQ(committed.size(), 2u);
    EXPECT_EQ(cell(95, 1), "3040");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(PointListTest, ReturnAndTheKeypadsEnterCommitAndEscapeCancels) {
    struct KeyCase {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool commits;
    };
    const KeyCase cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, true},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, false},
    };
    int value = 100;
    for (const KeyCase& c : cases) {
        const QString before = cell(127, 1);
        committed.clear();
        ASSERT_TRUE(doubleClick(127, 1)) << c.name;
        list->editor()->setText(QString::number(++value));
        QTest::keyClick(list->editor(), c.key, c.modifiers);
        EXPECT_FALSE(list->isEditing()) << c.name;
        EXPECT_EQ(committed.size(), c.commits ? 1u : 0u) << c.name;
        EXPECT_EQ(cell(127, 1), c.commits ? QString::number(value) : before) << c.name;
        EXPECT_EQ(list->currentIndex().row(), 127) << c.name;
        EXPECT_TRUE(window.isVisible()) << c.name;
    }
}

TEST_F(PointListTest, LosingTheFocusClickingOrScrollingCommits) {
    ASSERT_TRUE(doubleClick(31, 1));
    list->editor()->setText("100");
    other->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(list->isEditing());
    EXPECT_EQ(cell(31, 1), "100");

    ASSERT_TRUE(doubleClick(63, 1));
    list->editor()->setText("200");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(64, 0)).center());
    EXPECT_EQ(cell(63, 1), "200");

    ASSERT_TRUE(doubleClick(63, 1));
    list->editor()->setText("300");
    list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_FALSE(list->isEditing());
    EXPECT_EQ(cell(63, 1), "300");
}

TEST_F(PointListTest, TabStaysInTheEditor) {
    ASSERT_TRUE(doubleClick(31, 1));
    QTest::keyClick(list->editor(), Qt::Key_Tab);
    EXPECT_TRUE(list->isEditing());
    EXPECT_TRUE(list->editor()->hasFocus());
}

TEST_F(PointListTest, KeysNeitherMoveTheSelectionNorScroll) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
    list->setFocus();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_A}) QTest::keyClick(list, key);
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 2);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
}

TEST_F(PointListTest, ScrollBarActionsRecordTheOffsetThatARefillScrollsBackTo) {
    list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int position = list->verticalScrollBar()->value();
    ASSERT_GT(position, 0);
    EXPECT_EQ(list->scrollOffsetY(), list->rowHeight(0) * position);

    QWheelEvent wheel(QPointF(20, 20), list->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    EXPECT_GT(list->verticalScrollBar()->value(), position);
    EXPECT_EQ(list->scrollOffsetY(), list->rowHeight(0) * position) << "the wheel records nothing";

    fill(false);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    list->scrollBack();
    EXPECT_EQ(list->verticalScrollBar()->value(), position);
}

TEST_F(PointListTest, ARefillWhileEditingLeavesTheEditorOnTheSameRow) {
    ASSERT_TRUE(doubleClick(31, 1));
    list->editor()->setText("77");
    fill(true);
    ASSERT_TRUE(list->isEditing());
    QTest::keyClick(list->editor(), Qt::Key_Return);
    ASSERT_EQ(committed.size(), 1u);
    EXPECT_EQ(committed[0].row, 31);
    EXPECT_EQ(cell(31, 1), "77");
}

}  // namespace
}  // namespace grayden
