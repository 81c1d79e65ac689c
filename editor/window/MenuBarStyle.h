#pragma once

#include <QProxyStyle>

namespace grayden {

// The application's style with one difference in how, not what, it loads: the menu bar's
// extension arrows, which every QMenuBar asks for when it is made, are Qt's own pictures read in
// their named format. Qt's loading would probe every image plugin (and load QtSvg) at start.
class MenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const override;
};

// Puts the style in front of the application's own; call once before any window exists.
void installMenuBarStyle();

}  // namespace grayden
