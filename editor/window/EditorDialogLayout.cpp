#include <QCheckBox>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>

#include "editor/pointlist/PointListCtrl.h"
#include "editor/window/EditorDialog.h"
#include "editor/window/FrameWatcher.h"
#include "render/UiText.h"

namespace grayden {

namespace {

std::uint16_t clampedSize(int pixels) { return static_cast<std::uint16_t>(std::clamp(pixels, 0, 0xFFFF)); }

// How often, and how many times, a shown window looks for the frame its window manager adds.
constexpr int FrameCheckInterval = 20;
constexpr int FrameChecks = 100;
// Checks the start-up outer size must hold before it counts as settled.
constexpr int FrameSteadyChecks = 10;

}  // namespace

QMargins EditorDialog::frameMargins() const { return announcedFrame(*this).value_or(QMargins()); }

// The list keeps its width at the left, the frame and check boxes keep their sizes below the
// graph, and the graph takes all the remaining room.
void EditorDialog::layoutControls() {
    if (!graph_ || !pointList_ || !infoFrame_) return;
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
    graph_->setGeometry(graph.toQRect());
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
}

void EditorDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!graph_ || !pointList_ || !infoFrame_) return;
    storeOuterSize();
    layoutControls();
    if (initialised_) {
        repaintCurve();
    }
}

void EditorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!frameSettled_ && !frameTimer_.isActive()) frameTimer_.start(FrameCheckInterval);
}

// The start-up size is an outer size, but nothing in the window can be larger than the screen
// it opens on: a stored size is bounded by that screen's free area.
QSize EditorDialog::startSizeOnScreen(QSize outer) const {
    const QScreen* target = QGuiApplication::screenAt(QCursor::pos());
    if (!target) target = screen();
    if (!target) return outer;
    return outer.boundedTo(target->availableGeometry().size());
}

// Every resize is kept, a maximised or full-screen one included: the stored size is the outer
// size at the last resize.
void EditorDialog::storeOuterSize() {
    const QSize outer = size().grownBy(frameMargins());
    model_.setWindowSize(clampedSize(outer.width()), clampedSize(outer.height()));
}

void EditorDialog::frameChanged() {
    if (!graph_ || !pointList_ || !infoFrame_) return;
    storeOuterSize();
    layoutControls();
    if (initialised_) graph_->update();
}

// A window manager adds its frame only after the window is shown, and tells its size a moment
// later. The start-up size and the minimum are outer sizes, so they are applied again when the
// frame becomes known: from a timer, never inside the window manager's own events, and only to a
// window in its normal state that still has the client size it was given. The window manager may
// finish placing the window after that and give it its first size again, so the outer size must
// hold for a while before it counts as settled. A maximised or full-screen window waits until it
// is restored; one resized to any other size is left alone.
void EditorDialog::settleFrameSize() {
    if (frameSettled_ || !isVisible()) return;
    if (windowState() != Qt::WindowNoState) {
        frameTimer_.stop();
        return;
    }
    const std::optional<QMargins> frame = announcedFrame(*this);
    const bool lastCheck = ++frameChecks_ >= FrameChecks;
    if (!frame) {
        if (lastCheck) frameSettled_ = true;
        if (frameSettled_) frameTimer_.stop();
        return;
    }
    const QSize target = startOuterSize_.shrunkBy(*frame);
    setMinimumSize(QSize(MinWindowWidth, MinWindowHeight).shrunkBy(*frame));
    bringFrameInside(*frame);
    if (size() == target) {
        frameSettled_ = ++frameSteadyChecks_ >= FrameSteadyChecks || lastCheck;
    } else if (size() == startClientSize_ && !lastCheck) {
        frameSteadyChecks_ = 0;
        resize(target);
    } else {
        frameSettled_ = true;
    }
    if (frameSettled_) frameTimer_.stop();
}

// The toolkit places the client area before the frame is known, so at some scales the window
// manager's title bar ends up above the screen: the whole frame is moved into the free area, its
// top-left corner first where it cannot fit.
void EditorDialog::bringFrameInside(const QMargins& frame) {
    const QScreen* where = screen();
    if (!where) return;
    const QRect free = where->availableGeometry();
    const QRect outer = geometry().marginsAdded(frame);
    const int dx = std::max(free.left() - outer.left(), std::min(0, free.right() - outer.right()));
    const int dy = std::max(free.top() - outer.top(), std::min(0, free.bottom() - outer.bottom()));
    if (dx != 0 || dy != 0) setGeometry(geometry().translated(dx, dy));
}

void EditorDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    const bool restored = event->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState;
    if (restored && !frameSettled_ && isVisible()) frameTimer_.start(FrameCheckInterval);
}

}  // namespace grayden
