#include "editor/DialogTemplate.h"

#include "render/ResourceFiles.h"

namespace grayden {

bool loadDialogTemplate(int id, Language language, DialogTemplate& out) {
    if (!readDialogTemplate(loadResourceJson(QString("dialog%1.json").arg(id)), language, out)) return false;
    for (ControlTemplate& control : out.controls) {
        if (control.textId == 0) continue;
        const std::string_view text = stringText(control.textId, language);
        control.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return true;
}

}  // namespace grayden
