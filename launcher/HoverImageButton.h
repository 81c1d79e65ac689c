#pragma once

#include <QCursor>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace grayden {

// A picture that works as a button: it lights up (shows its hover image) while the mouse is
// over it and reports a click on a left press. Leaving is noticed by polling the pointer, so a
// quick move off the window still puts the normal image back.
class HoverImageButton : public QWidget {
    Q_OBJECT
public:
    enum class HoverState { Normal, Hovering };
    static constexpr int PollIntervalMs = 50;

    explicit HoverImageButton(QWidget* parent = nullptr);

    void setImages(const QPixmap& hover, const QPixmap& normal, const QPixmap& disabled, HoverState initial);
    void setLinkCursor(const QCursor& cursor);
    // Enabled shows the normal image; disabled shows the disabled image, where there is one.
    void enableButton(bool enabled);

    bool hovering() const { return hovering_; }
    // The image on show, for the window's tests and its own painting.
    const QPixmap& shownImage() const { return *shown_; }
    bool pollRunning() const { return pollTimer_.isActive(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void pointerOver();
    void pollPointer();
    void showImage(const QPixmap& image);

    std::optional<QCursor> linkCursor_;
    QPixmap hoverImage_;
    QPixmap normalImage_;
    QPixmap disabledImage_;
    const QPixmap* shown_ = &normalImage_;
    bool hovering_ = false;
    QTimer pollTimer_;
};

}  // namespace grayden
