#pragma once

#include <QAbstractItemView>
#include <QTableView>

#include <functional>
#include <string>

#include "editor/pointlist/PointListModel.h"
#include "engine/ControlPoint.h"
#include "engine/ToneTable.h"

namespace grayden {

class InplaceEdit;

// The list of all 256 input levels with their output values. Control-point rows are coloured,
// and only their value cells can be typed into, through an edit box opened by a double click.
class PointListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int ControlId = 1009;

    explicit PointListCtrl(QWidget* parent);
    ~PointListCtrl() override;

    // The owner's answer to a finished edit: true accepts; the owner may rewrite the text.
    std::function<bool(int row, int column, std::string& text)> onEndLabelEdit;

    // Rebuilds the rows and cell records; with columns also the two columns and their widths.
    void fill(const ToneTable& table, const ControlPointArray& points, int pointCount, bool withColumns);
    void freeCellStyles() { model_.freeCellStyles(); }
    // Scrolls down by the offset recorded at the last scroll-bar action.
    void scrollBack();

    int scrollOffsetY() const { return scrollOffsetY_; }
    bool isEditing() const { return editing_; }
    InplaceEdit* editor() const { return editor_; }
    const PointListModel& listModel() const { return model_; }

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
