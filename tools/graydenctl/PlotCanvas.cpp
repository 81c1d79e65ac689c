#include "PlotCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <strings.h>
#include <cerrno>

#include <cstdio>
#include <cstring>

#include "GraphicsSession.h"
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

}  // namespace

bool isPlotFileName(const std::string& path) {
    return endsWithIgnoringCase(path, ".svg") || endsWithIgnoringCase(path, ".png");
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
