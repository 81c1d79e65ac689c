#pragma once

#include <QString>

namespace grayden {

// The conversions of a decimal entry that exchanges integers: the shown number times a fixed
// factor (10 shows tenths, 1000 thousandths).

// Decimals shown for a factor: the whole part of its base-10 logarithm (1 for 10, 3 for 1000).
int decimalsForScale(double scale);

// number × scale truncated toward zero, after a nudge of 1e-12 of its size away from zero, so a
// number the user typed keeps its value where the product falls a hair short of it (1.001 × 1000
// is 1000.9999…); digits beyond the factor are still cut (1.0005 gives 1000). NaN gives 0; values
// beyond the 32-bit range saturate.
int scaledFromNumber(double number, double scale);

// The leading decimal number of a text (leading blanks skipped, the longest valid prefix taken,
// 0 when there is none), read the same way in every locale, converted by scaledFromNumber.
int scaledFromText(const QString& text, double scale);

// value / scale with the factor's decimals: 1001 at 1000 shows as "1.001".
QString textForScaled(int value, double scale);

// Whether the whole text, spaces aside, is one finite number; the conversions above read only its
// leading number and take text without one as 0.
bool isNumberText(const QString& text);

}  // namespace grayden
