#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>

#include <algorithm>

#include "editor/EditorDialog.h"
#include "editor/PointListCtrl.h"
#include "editor/UiText.h"

namespace grayden {

namespace {

std::uint16_t clampedSize(int pixels) { return static_cast<std::uint16_t>(std::clamp(pixels, 0, 0xFFFF)); }

}  // namespace

QMargins EditorDialog::frameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// The list keeps its width at the left, the frame and check boxes keep their sizes below the
// graph, and the graph takes all the remaining room.
void EditorDialog::layoutControls() {
    if (!graphPlaceholder_ || !pointList_ || !infoFrame_) return;
    const QMargins f = frameMargins();
    // The window's outer rectangle in client coordinates; the menu bar is part of the client.
    const EdgeRect window{-f.left(), -f.top(), width() + f.right(), height() + f.bottom()};
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    // The caption height is the title bar alone; the frame's border above it is as thick as the
    // one at the bottom.
    const int captionHeight = f.top() - f.bottom();
    const int top = window.top + menuHeight + captionHeight + 15;

    const int listWidth = pointList_->width();
    const EdgeRect graph{window.left + listWidth + 30, top, window.right - 15,
                         window.bottom - 15 - infoFrame_->height() - 15};
    graphPlaceholder_->setGeometry(graph.toQRect());
    const EdgeRect list{window.left + 15, top, window.left + 15 + listWidth, window.bottom - 15};
    pointList_->setGeometry(list.toQRect());

    previewCheck_->move(list.right + 15, graph.bottom + 15);
    outputCurveCheck_->move(list.right + 15, previewCheck_->y() + previewCheck_->height() + 7);
    infoFrame_->move(list.right + std::max(previewCheck_->width(), outputCurveCheck_->width()) + 15, graph.bottom + 7);

    const EdgeRect frame = EdgeRect::fromQRect(infoFrame_->geometry());
    const int textLeft = frame.left + 15;
    const int textWidth = frame.right - 17 - textLeft;
    const int textHeight = readoutLabel_->height();
    readoutLabel_->setGeometry(textLeft, (frame.top + frame.bottom) / 2 - textHeight + 2, textWidth, textHeight);
    gammaLabel_->setGeometry(textLeft, readoutLabel_->y() + textHeight + 2, textWidth, textHeight);

    graphRect_ = EdgeRect::fromQRect(graphPlaceholder_->geometry());
    plotRect_ = plotRectOf(graphRect_);
}

void EditorDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!graphPlaceholder_ || !pointList_ || !infoFrame_) return;
    backBuffer_ = QImage(size(), QImage::Format_RGB32);
    // The graph's old place is repainted with the window background.
    const QRect old = graphPlaceholder_->geometry();
    update(QRect(old.topLeft(), QPoint(old.right(), height() - 1)));
    settleFrameSize();
    const QSize outer = frameGeometry().size();
    model_.windowWidth = clampedSize(outer.width());
    model_.windowHeight = clampedSize(outer.height());
    layoutControls();
    if (initialised_ == 1) {
        invalidateGraph();
        gammaText_ = gammaTextFor(model_.panelGamma);
        transferTexts();
    }
}

void EditorDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    settleFrameSize();
}

// A window manager adds its frame only once the window is shown. The start-up size and the
// minimum are outer sizes, so they are applied again, once, when the frame becomes known.
void EditorDialog::settleFrameSize() {
    if (frameSettled_ || !isVisible()) return;
    const QMargins f = frameMargins();
    if (f.isNull()) return;
    frameSettled_ = true;
    setMinimumSize(QSize(MinWindowWidth, MinWindowHeight).shrunkBy(f));
    if (initialised_ == 1 && startOuterSize_.isValid()) resize(startOuterSize_.shrunkBy(f));
}

}  // namespace grayden
