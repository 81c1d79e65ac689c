#include "ui/DialogUnits.h"

#include <QFontMetrics>

namespace grayden {

namespace {

int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

QSize dialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QSize((letters / 26 + 1) / 2, metrics.height());
}

QRect mapDialogRect(const QRect& r, QSize base) {
    return QRect(mulDiv(r.x(), base.width(), 4), mulDiv(r.y(), base.height(), 8), mulDiv(r.width(), base.width(), 4),
                 mulDiv(r.height(), base.height(), 8));
}

QSize mapDialogSize(const QSize& s, QSize base) {
    return QSize(mulDiv(s.width(), base.width(), 4), mulDiv(s.height(), base.height(), 8));
}

}  // namespace grayden
