#pragma once

#include <QSize>

#include <functional>
#include <string>

class QPainter;

namespace grayden::ctl {

// Starts Qt's graphics layer for the length of one drawing, draws on a canvas of the given
// size and saves it as SVG or PNG by the file name. No window is opened: unless QT_QPA_PLATFORM
// names a platform, the offscreen one is used, so plotting works with no display at all.
bool savePlot(const std::string& path, QSize size, const std::function<void(QPainter&)>& draw, std::string& error);

}  // namespace grayden::ctl
