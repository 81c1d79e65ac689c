#include "editor/pointlist/PointListCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "editor/pointlist/InplaceEdit.h"
#include "editor/window/WaitCursor.h"
#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

PointListCtrl::PointListCtrl(CurveModel& document, QWidget* parent) : QTableView(parent), model_(document) {
    setObjectName(QString::number(ControlId));
    setModel(&model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setTabKeyNavigation(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setShowGrid(true);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) { verticalAction(); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) { horizontalAction(); });
}

PointListCtrl::~PointListCtrl() = default;

void PointListCtrl::fill(bool withColumns) {
    WaitCursor wait;
    if (withColumns) {
        model_.setColumns(uiText(LevelColumnHeader), uiText(ValueColumnHeader));
        const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int available = width() - scrollBar;
        setColumnWidth(0, available * 3 / 10);
        setColumnWidth(1, available - available * 3 / 10 - 4);
    }
    model_.refresh();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // The scroll ranges must be current before the caller scrolls back.
    executeDelayedItemsLayout();
    // Deleting every row leaves the list scrolled to the top.
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PointListCtrl::scrollBack() {
    if (model()->rowCount() == 0 || rowHeight(0) <= 0) return;
    verticalScrollBar()->setValue(verticalScrollBar()->value() + scrollOffsetY_ / rowHeight(0));
}

int PointListCtrl::firstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

bool PointListCtrl::openEditorAt(QPoint viewportPos) {
    const int target = firstSelectedRow();
    const QModelIndex hit = indexAt(viewportPos);
    if (!hit.isValid() || hit.row() != target) return false;
    if (!(hit.flags() & Qt::ItemIsEditable)) return false;

    editing_ = true;
    editRow_ = hit.row();
    editColumn_ = hit.column();
    savedMode_ = selectionMode();
    if (savedMode_ == QAbstractItemView::SingleSelection) setSelectionMode(QAbstractItemView::MultiSelection);
    selectionModel()->select(model()->index(editRow_, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    delete editor_;
    editor_ = new InplaceEdit(*this, viewport());
    editor_->setGeometry(visualRect(hit).adjusted(0, -1, 0, 3));
    editor_->setFont(font());
    editor_->setText(hit.data(Qt::DisplayRole).toString());
    editor_->selectAll();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    return true;
}

void PointListCtrl::closeEditor() {
    if (editing_) {
        editing_ = false;
        InplaceEdit* closing = editor_;
        editor_ = nullptr;
        // Destroying the focused box would otherwise hand the focus to the next control.
        if (closing->hasFocus()) setFocus(Qt::OtherFocusReason);
        closing->hide();
        closing->deleteLater();
    }
    if (savedMode_ == QAbstractItemView::SingleSelection) {
        setSelectionMode(QAbstractItemView::SingleSelection);
    } else if (!selectionModel()->isRowSelected(editRow_, QModelIndex())) {
        selectionModel()->select(model()->index(editRow_, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void PointListCtrl::commit() {
    if (!editing_) return;
    const QString text = editor_->text();
    closeEditor();
    // The cell then shows what the document kept; a refused value leaves it as it was.
    model()->setData(model()->index(editRow_, editColumn_), text, Qt::EditRole);
}

void PointListCtrl::cancel() { closeEditor(); }

void PointListCtrl::selectAndFocusEditRow() {
    const QModelIndex index = model()->index(editRow_, 0);
    if (!index.isValid()) return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PointListCtrl::editorKeyDown(int key) {
    if (key == Qt::Key_Escape)
        cancel();
    else
        commit();
    selectAndFocusEditRow();
}

void PointListCtrl::editorLostFocus() { commit(); }

void PointListCtrl::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape belong to the dialog; every other key is swallowed, so the keyboard
    // neither moves the selection nor scrolls.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->ignore(); return;
    default: event->accept();
    }
}

void PointListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) commit();
    QTableView::mousePressEvent(event);
}

void PointListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    commit();
    openEditorAt(viewport()->mapFromGlobal(QCursor::pos()));
}

void PointListCtrl::wheelEvent(QWheelEvent* event) {
    commit();
    // Wheel scrolling does not record the offset that a later refill scrolls back to.
    wheelScrolling_ = true;
    QTableView::wheelEvent(event);
    wheelScrolling_ = false;
}

void PointListCtrl::verticalAction() {
    if (wheelScrolling_) return;
    if (model()->rowCount() > 0) scrollOffsetY_ = rowHeight(0) * verticalScrollBar()->sliderPosition();
    commit();
}

void PointListCtrl::horizontalAction() {
    if (wheelScrolling_) return;
    commit();
}

}  // namespace grayden
