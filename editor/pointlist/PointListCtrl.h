#pragma once

#include <QAbstractItemView>
#include <QTableView>

#include "editor/pointlist/PointListModel.h"

namespace grayden {

class CurveModel;
class InplaceEdit;

// The list of all 256 input levels with their output values, a view of the curve document.
// Control-point rows are coloured, and only their value cells can be typed into, through an edit
// box opened by a double click; a committed value goes to the document through the item model.
class PointListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int ControlId = 1009;

    PointListCtrl(CurveModel& document, QWidget* parent);
    ~PointListCtrl() override;

    // Shows the document anew, scrolled to the top; with columns also the two columns and their widths.
    void fill(bool withColumns);
    void freeCellStyles() { model_.freeCellStyles(); }
    // Scrolls down by the offset recorded at the last scroll-bar action.
    void scrollBack();

    int scrollOffsetY() const { return scrollOffsetY_; }
    bool isEditing() const { return editing_; }
    InplaceEdit* editor() const { return editor_; }
    const PointListModel& listModel() const { return model_; }
    PointListModel& listModel() { return model_; }

    // Opens the edit box over the cell at a viewport position, under the rules of a double click.
    bool openEditorAt(QPoint viewportPos);
    void commit();
    void cancel();

    // Called by the edit box.
    void editorKeyDown(int key);
    void editorLostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The item view's own editor closing stays reachable beside the one below.
    using QTableView::closeEditor;

private:
    void closeEditor();
    void selectAndFocusEditRow();
    void verticalAction();
    void horizontalAction();
    int firstSelectedRow() const;

    PointListModel model_;
    int scrollOffsetY_ = 0;
    bool editing_ = false;
    QAbstractItemView::SelectionMode savedMode_ = QAbstractItemView::SingleSelection;
    InplaceEdit* editor_ = nullptr;
    int editRow_ = 0;
    int editColumn_ = 0;
    bool wheelScrolling_ = false;
};

}  // namespace grayden
