#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

#include "resources/StringTable.h"

namespace grayden {

// One control of a dialog template; the rectangle is in dialog units.
struct ControlTemplate {
    int id = 0;
    QString kind;  // static, checkbox, groupbox, label, listview
    QString text;
    QRect rect;
    bool visible = true;
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
