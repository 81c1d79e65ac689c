#include "ui/DialogTemplate.h"

#include <QJsonArray>
#include <QJsonObject>

#include "ui/ResourceLoading.h"

namespace grayden {

namespace {

QRect rectOf(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return a.size() == 4 ? QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()) : QRect();
}

}  // namespace

const ControlTemplate* DialogTemplate::control(int id) const {
    for (const ControlTemplate& c : controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

bool readDialogTemplate(const QJsonObject& resource, Language language, DialogTemplate& out) {
    const QString key = languageKey(language);
    const QJsonObject variant = resource.value("languages").toObject().value(key).toObject();
    if (variant.isEmpty()) return false;
    DialogTemplate t;
    t.fontFamily = variant.value("font").toString();
    t.pointSize = variant.value("pointSize").toInt(9);
    const QJsonArray size = variant.value("size").toArray();
    t.size = QSize(size.at(0).toInt(), size.at(1).toInt());
    t.title = variant.value("title").toString();
    t.menuId = variant.value("menu").toInt();
    for (const QJsonValue& v : variant.value("controls").toArray()) {
        const QJsonObject c = v.toObject();
        ControlTemplate control;
        control.id = c.value("id").toInt();
        control.kind = c.value("kind").toString();
        control.text = c.value("text").toString();
        control.textId = c.value("textId").toInt();
        control.rect = rectOf(c.value("rect"));
        control.visible = c.value("visible").toBool(true);
        control.scale = c.value("scale").toDouble(1.0);
        control.buddy = c.value("buddy").toInt();
        control.resourceId = c.value("icon").toInt();
        if (control.id == 0 || !control.rect.isValid()) return false;
        t.controls.push_back(control);
    }
    out = std::move(t);
    return true;
}

}  // namespace grayden
