#pragma once

#include <QLineEdit>

namespace grayden {

// A single-line edit that shows a decimal number while everything that reads or writes its value
// exchanges an integer: the number times the factor. The dialogs and the spin arrows go through
// the integer property; the text stays what the user typed until a different integer is written.
class ScaledEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int scaledValue READ scaledValue WRITE setScaledValue USER true)
public:
    explicit ScaledEdit(double scale, QWidget* parent = nullptr);

    double scale() const { return scale_; }
    int decimals() const { return decimals_; }

    // The shown number times the factor (see scaledFromText).
    int scaledValue() const;
    // Shows value / factor with the factor's decimals, unless the text already stands for that
    // integer (an empty text stands for 0): a write-back of the value just read never reformats
    // what the user is typing.
    void setScaledValue(int value);

private:
    double scale_;
    int decimals_;
};

}  // namespace grayden
