#include "editor/dialogs/ScaledNumber.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <locale.h>

namespace grayden {

namespace {

// Far above the rounding of one product, far below one step of any factor in use.
constexpr double Tolerance = 1e-12;

// The number reader of the C library, fixed to the C locale: a program whose locale writes a
// decimal comma must still read 1.5 as one and a half.
double leadingNumber(const QByteArray& text, const char** end = nullptr) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(text.constData(), const_cast<char**>(end), cLocale);
}

}  // namespace

int decimalsForScale(double scale) {
    if (!(scale > 1.0)) return 0;
    return static_cast<int>(std::trunc(std::log10(scale) + Tolerance));
}

int scaledFromNumber(double number, double scale) {
    const double product = number * scale;
    if (std::isnan(product)) return 0;
    const double nudged = product + std::copysign(std::fabs(product) * Tolerance, product);
    constexpr double Highest = std::numeric_limits<int>::max();
    constexpr double Lowest = std::numeric_limits<int>::min();
    if (nudged >= Highest) return std::numeric_limits<int>::max();
    if (nudged <= Lowest) return std::numeric_limits<int>::min();
    return static_cast<int>(std::trunc(nudged));
}

int scaledFromText(const QString& text, double scale) { return scaledFromNumber(leadingNumber(text.toUtf8()), scale); }

QString textForScaled(int value, double scale) {
    return QString::asprintf("%.*f", decimalsForScale(scale), static_cast<double>(value) / scale);
}

bool isNumberText(const QString& text) {
    const QByteArray bytes = text.trimmed().toUtf8();
    const char* end = nullptr;
    const double number = leadingNumber(bytes, &end);
    return !bytes.isEmpty() && end == bytes.constData() + bytes.size() && std::isfinite(number);
}

}  // namespace grayden
