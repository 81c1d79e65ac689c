#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace grayden {

// Dialog base units of a font as Windows measures them: the average width of the 52 Latin
// letters and the font's height.
QSize dialogBaseUnits(const QFont& font);

// Dialog units to pixels: x × baseX / 4 and y × baseY / 8, rounded like MulDiv.
QRect mapDialogRect(const QRect& dialogUnits, QSize baseUnits);
QSize mapDialogSize(const QSize& dialogUnits, QSize baseUnits);

}  // namespace grayden
