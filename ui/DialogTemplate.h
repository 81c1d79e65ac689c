#pragma once

#include <QJsonObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

#include "resources/StringTable.h"

namespace grayden {

// One control of a dialog template; the rectangle is in dialog units.
struct ControlTemplate {
    int id = 0;
    QString kind;  // static, checkbox, groupbox, label, listview, bitmap, button, icon
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

// Reads one language's variant of a dialog resource (its JSON document); false when the variant
// is missing or malformed.
bool readDialogTemplate(const QJsonObject& resource, Language language, DialogTemplate& out);

}  // namespace grayden
