#pragma once

#include <QImage>

// The program icon: a monitor showing a tone curve with one control point, size × size pixels.
QImage appIcon(int size);
