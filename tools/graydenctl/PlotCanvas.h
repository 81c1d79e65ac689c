#pragma once

#include <QSize>

#include <functional>
#include <string>

class QPainter;

namespace grayden::ctl {

// Draws on a canvas of the given size within a graphics session and saves it as SVG or PNG by
// the file name.
bool savePlot(const std::string& path, QSize size, const std::function<void(QPainter&)>& draw, std::string& error);

}  // namespace grayden::ctl
