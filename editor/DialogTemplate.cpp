#include "editor/DialogTemplate.h"

#include "editor/ResourceFiles.h"

namespace grayden {

bool loadDialogTemplate(int id, Language language, DialogTemplate& out) {
    return readDialogTemplate(loadResourceJson(QString("dialog%1.json").arg(id)), language, out);
}

}  // namespace grayden
