#include "editor/window/MenuBarStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>

#include <array>

#include "ui/ResourceLoading.h"

namespace grayden {

namespace {

// The file name stem and sizes under which Qt keeps the extension arrows.
struct ExtensionArrow {
    QString stem;
    std::array<int, 3> sizes;
};

// The direction is chosen as Qt's common style chooses it.
ExtensionArrow extensionArrow(QStyle::StandardPixmap pixmap, const QStyleOption* option) {
    if (pixmap == QStyle::SP_ToolBarVerticalExtensionButton) return {"toolbar-ext-v-", {5, 10, 20}};
    const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    return {rightToLeft ? "toolbar-ext-h-rtl-" : "toolbar-ext-h-", {8, 16, 32}};
}

}  // namespace

QIcon MenuBarStyle::standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const {
    if (pixmap != SP_ToolBarHorizontalExtensionButton && pixmap != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(pixmap, option, widget);
    const ExtensionArrow arrow = extensionArrow(pixmap, option);
    QIcon icon;
    for (int size : arrow.sizes) {
        const QImage image =
            loadImageResource(QString(":/qt-project.org/styles/commonstyle/images/%1%2.png").arg(arrow.stem).arg(size));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    // Another Qt may keep them elsewhere; its own loading still finds them.
    return icon.isNull() ? QProxyStyle::standardIcon(pixmap, option, widget) : icon;
}

void installMenuBarStyle() {
    QApplication::setStyle(new MenuBarStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace grayden
