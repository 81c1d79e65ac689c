#pragma once

#include <QtGlobal>

#include <memory>

class QGuiApplication;

namespace grayden::ctl {

// Qt's graphics layer for the lifetime of the scope, started unless one already runs. No window
// is opened and the offscreen platform is used, so drawing works with no display at all.
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

}  // namespace grayden::ctl
