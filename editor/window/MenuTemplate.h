#pragma once

#include <QString>

#include <vector>

#include "resources/StringTable.h"

namespace grayden {

struct MenuItemTemplate {
    int id = 0;
    QString text;  // a tab separates the key name shown at the right
    bool separator = false;
    bool grayed = false;
};

struct MenuPopupTemplate {
    QString text;
    std::vector<MenuItemTemplate> items;
};

// Reads menu resource N in one language; false when it is missing.
bool loadMenuTemplate(int id, Language language, std::vector<MenuPopupTemplate>& out);

}  // namespace grayden
