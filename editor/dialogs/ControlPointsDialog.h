#pragma once

#include <span>

#include "editor/dialogs/TemplateDialog.h"

class QComboBox;

namespace grayden {

// Number of Control Points: one entry per selectable count, the current one selected; after OK
// the index chosen.
class ControlPointsDialog : public TemplateDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 130;
    static constexpr int CountListId = 1010;

    ControlPointsDialog(std::span<const int> choices, int selection, UserInteraction& user, QWidget* parent);

    // The index chosen with OK; -1 when no entry was selected.
    int selection() const { return selection_; }
    QComboBox& countList() { return *countList_; }

    void accept() override;

private:
    QComboBox* countList_;
    int selection_;
};

}  // namespace grayden
