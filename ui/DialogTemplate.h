#pragma once

#include <QJsonObject>
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
    // static, checkbox, groupbox, label, listview, bitmap, defbutton, button, combobox,
    // scaledEdit, edit, spin, icon
    QString kind;
    QString text;
    int textId = 0;  // a string-table entry the program puts in place of text
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

// Reads one language's variant of a dialog resource (its JSON document); false when the variant
// is missing or malformed.
bool readDialogTemplate(const QJsonObject& resource, Language language, DialogTemplate& out);

}  // namespace grayden
