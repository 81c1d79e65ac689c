// Draws the program icon into a hicolor icon theme tree: ROOT/NxN/apps/NAME.png for each size N.
// The build runs it, so every installed size comes from the same drawing as the window icon.
#include "AppIcon.h"

#include <QDir>
#include <QString>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

constexpr int LargestSize = 1024;

bool parseSize(const char* text, int& size) {
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, size);
    return error == std::errc() && stop == end && size > 0 && size <= LargestSize;
}

bool drawSize(const QString& root, const QString& name, int size) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString path = folder + "/" + name + ".png";
    if (!QDir().mkpath(folder) || !appIcon(size).save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s root-folder icon-name size...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        int size = 0;
        if (!parseSize(argv[i], size)) {
            std::fprintf(stderr, "%s: not an icon size (1 to %d): %s\n", argv[0], LargestSize, argv[i]);
            return 2;
        }
        ok = drawSize(root, name, size) && ok;
    }
    return ok ? 0 : 1;
}
