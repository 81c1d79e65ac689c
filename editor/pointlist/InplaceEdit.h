#pragma once

#include <QLineEdit>

namespace grayden {

class PointListCtrl;

// The edit box opened over a value cell of the control-point list. Enter and Escape go to the
// list, which commits or cancels; Tab stays in the box; losing the focus commits.
class InplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int ControlId = 51432;

    explicit InplaceEdit(PointListCtrl& list, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    PointListCtrl& list_;
};

}  // namespace grayden
