#include "editor/window/MenuTemplate.h"

#include <QJsonArray>
#include <QJsonObject>

#include "render/ResourceFiles.h"

namespace grayden {

bool loadMenuTemplate(int id, Language language, std::vector<MenuPopupTemplate>& out) {
    const QJsonObject root = loadResourceJson(QString("menu%1.json").arg(id));
    const QJsonArray popups = root.value("languages").toObject().value(languageKey(language)).toArray();
    if (popups.isEmpty()) return false;
    out.clear();
    for (const QJsonValue& p : popups) {
        MenuPopupTemplate popup;
        popup.text = p.toObject().value("text").toString();
        for (const QJsonValue& i : p.toObject().value("items").toArray()) {
            const QJsonObject o = i.toObject();
            popup.items.push_back({o.value("id").toInt(), resourceText(o, language), o.value("separator").toBool(false),
                                   o.value("grayed").toBool(false)});
        }
        out.push_back(std::move(popup));
    }
    return true;
}

}  // namespace grayden
