#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QToolButton;

namespace grayden {

// The up and down arrows of a decimal entry. Attached to an edit they sit at its right edge,
// and the edit's Up and Down keys act as the arrows. Every step is announced; with a range set
// the arrows also step the edit's integer property themselves, within that range.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    explicit SpinArrows(QWidget* parent = nullptr);

    // Moves the arrows to the buddy's right edge, inside its old rectangle, and narrows the buddy
    // by their width.
    void attachTo(QLineEdit* buddy);
    // From now on each step writes the buddy's integer, moved by one and kept within the range.
    void setBuddyRange(int minimum, int maximum);

    // One arrow press: +1 up, -1 down.
    void step(int direction);

    QToolButton& upButton() { return *up_; }
    QToolButton& downButton() { return *down_; }

signals:
    void stepped(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Range {
        int minimum;
        int maximum;
    };

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    std::optional<Range> range_;
};

}  // namespace grayden
