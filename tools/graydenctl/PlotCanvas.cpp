#include "PlotCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <strings.h>
#include <cerrno>

#include <cstdio>
#include <cstring>

#include "Plots.h"
#include "platform/FileSave.h"

namespace grayden::ctl {

namespace {

bool endsWithIgnoringCase(const std::string& text, const char* ending) {
    const std::size_t n = std::strlen(ending);
    return text.size() >= n && ::strncasecmp(text.c_str() + text.size() - n, ending, n) == 0;
}

QByteArray drawSvg(QSize size, const std::function<void(QPainter&)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle("graydenctl");
    QPainter painter(&generator);
    draw(painter);
    painter.end();
    return bytes;
}

QByteArray drawPng(QSize size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

// Qt's notes about its surroundings (no runtime folder, say) are no business of a command-line
// user; whether the plot was saved is checked and reported on its own.
void keepSeriousMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

bool isPlotFileName(const std::string& path) {
    return endsWithIgnoringCase(path, ".svg") || endsWithIgnoringCase(path, ".png");
}

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

bool savePlot(const std::string& path, QSize size, const std::function<void(QPainter&)>& draw, std::string& error) {
    QByteArray bytes;
    {
        const GraphicsSession graphics;
        bytes = endsWithIgnoringCase(path, ".svg") ? drawSvg(size, draw) : drawPng(size, draw);
    }
    if (bytes.isEmpty()) {
        error = "Cannot draw the plot.";
        return false;
    }
    errno = 0;
    if (saveFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) return true;
    error = "Cannot save the plot to " + path + (errno != 0 ? std::string(": ") + std::strerror(errno) : "") + ".";
    return false;
}

}  // namespace grayden::ctl
