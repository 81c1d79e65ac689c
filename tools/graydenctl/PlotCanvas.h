#pragma once

#include <QSize>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>

class QGuiApplication;
class QPainter;

namespace grayden::ctl {

// Qt's graphics layer for the lifetime of the scope, started unless one already runs. No window
// is opened: unless QT_QPA_PLATFORM names a platform, the offscreen one is used, so drawing
// works with no display at all.
class GraphicsSession {
public:
    GraphicsSession();
    ~GraphicsSession();
    GraphicsSession(const GraphicsSession&) = delete;
    GraphicsSession& operator=(const GraphicsSession&) = delete;

private:
    std::unique_ptr<QGuiApplication> application_;
    QtMessageHandler previousHandler_ = nullptr;
};

// Draws on a canvas of the given size within a graphics session and saves it as SVG or PNG by
// the file name.
bool savePlot(const std::string& path, QSize size, const std::function<void(QPainter&)>& draw, std::string& error);

}  // namespace grayden::ctl
