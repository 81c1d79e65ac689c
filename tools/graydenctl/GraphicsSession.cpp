#include "GraphicsSession.h"

#include <QGuiApplication>

#include <cstdio>

namespace grayden::ctl {

namespace {

// Qt's notes about its surroundings (no runtime folder, say) are no business of a command-line
// user; whether the plot was saved is checked and reported on its own.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

GraphicsSession::GraphicsSession() {
    if (QGuiApplication::instance()) return;
    // Plots never need a display: a platform named in the environment that cannot start (xcb
    // without an X server) would abort the whole program.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler_ = qInstallMessageHandler(keepSeriousMessages);
    static int argc = 1;
    static char name[] = "graydenctl";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
}

GraphicsSession::~GraphicsSession() {
    if (!application_) return;
    application_.reset();
    qInstallMessageHandler(previousHandler_);
}

}  // namespace grayden::ctl
