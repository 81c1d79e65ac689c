#pragma once

#include <QColor>

namespace grayden {

// Colours and editability of one cell of the control-point list.
struct CellStyle {
    QRgb textColour = 0;
    QRgb backColour = 0;
    bool editable = false;
};

}  // namespace grayden
