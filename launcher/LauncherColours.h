#pragma once

#include <QColor>

namespace grayden {

// The launcher's window and version box are painted light grey, their text black.
inline const QColor LauncherBackground{224, 224, 224};
inline const QColor LauncherText{0, 0, 0};

}  // namespace grayden
