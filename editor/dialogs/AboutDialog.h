#pragma once

#include "editor/dialogs/TemplateDialog.h"

namespace grayden {

// The version box: the program's icon, its version text and the rights notice.
class AboutDialog : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 100;
    static constexpr int VersionLabelId = 1022;

    AboutDialog(UserInteraction& user, QWidget* parent);
};

}  // namespace grayden
