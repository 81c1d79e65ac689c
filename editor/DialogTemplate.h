#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

#include "resources/StringTable.h"

namespace grayden {

// One control of a dialog template; the rectangle is in dialog units. Controls that nothing
// refers to have the id -1.
struct ControlTemplate {
    int id = 0;
    // static, checkbox, groupbox, label, listview, defbutton, button, combobox, edit, scaledEdit, spin, icon
    QString kind;
    QString text;
    QRect rect;
    bool visible = true;
    double scale = 1.0;  // a scaledEdit's factor between the shown number and its integer
    int buddy = 0;       // the control a spin steps
    int resourceId = 0;  // an icon's resource
};

struct DialogTemplate {
    QString fontFamily;
    int pointSize = 9;
    QSize size;  // dialog units
    QString title;
    int menuId = 0;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int id) const;
};

// Reads dialog resource N in one language; false when it is missing or malformed.
bool loadDialogTemplate(int id, Language language, DialogTemplate& out);

}  // namespace grayden
