#include "editor/dialogs/AboutDialog.h"

#include <QLabel>

#include "render/UiText.h"
#include "resources/StringIds.h"

namespace grayden {

AboutDialog::AboutDialog(UserInteraction& user, QWidget* parent) : TemplateDialog(TemplateId, user, parent) {
    controlAs<QLabel>(VersionLabelId)->setText(uiText(VersionText));
}

}  // namespace grayden
