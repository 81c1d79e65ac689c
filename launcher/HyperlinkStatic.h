#pragma once

#include <QBrush>
#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>

#include <optional>

namespace grayden {

class DocumentOpener;

// A line of text with its own colours and font that can act as a link: enabled as a link it
// takes the mouse, turns to its hover colour when the pointer is over it and opens its target
// on a left press. It never turns back by itself; its owner does that.
class HyperlinkStatic : public QLabel {
    Q_OBJECT
public:
    enum class LinkState { Disabled, Enabled };

    explicit HyperlinkStatic(QWidget* parent = nullptr);

    void setBackgroundColour(const QColor& colour);
    void setTextColour(const QColor& colour);
    void setUnderline(bool underline);
    void setLinkState(LinkState state);
    void setLinkCursor(const QCursor& cursor);
    // The opener is the caller's and must outlive the control.
    void setTarget(const QString& target, DocumentOpener* opener);

    QColor textColour() const { return textColour_; }
    QColor hoverColour() const { return hoverColour_; }
    QBrush backgroundBrush() const { return backgroundBrush_; }
    bool linkEnabled() const { return linkEnabled_; }
    const QFont& linkFont() const { return font_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void pointerOver();

    bool linkEnabled_ = false;
    QString target_;
    DocumentOpener* opener_ = nullptr;
    QColor hoverColour_{0, 0, 255};
    QColor textColour_;
    QBrush backgroundBrush_;
    std::optional<QCursor> linkCursor_;
    QFont font_;
};

}  // namespace grayden
