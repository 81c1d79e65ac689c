#pragma once

#include <QColor>

namespace grayden {

// Colours and editability of one cell of the control-point list.
struct CellStyle {
    int column = 0;  // 0 level, 1 value
    int row = 0;     // the row's input level
    QRgb textColour = 0;
    QRgb backColour = 0;
    int editable = 0;
};

}  // namespace grayden
