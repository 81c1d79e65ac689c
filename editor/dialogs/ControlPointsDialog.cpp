#include "editor/dialogs/ControlPointsDialog.h"

#include <QComboBox>

namespace grayden {

ControlPointsDialog::ControlPointsDialog(std::span<const int> choices, int selection, UserInteraction& user,
                                         QWidget* parent)
    : TemplateDialog(TemplateId, user, parent), countList_(controlAs<QComboBox>(CountListId)), selection_(selection) {
    for (int count : choices) countList_->addItem(QString::number(count));
    countList_->setCurrentIndex(selection >= 0 && selection < countList_->count() ? selection : -1);
}

void ControlPointsDialog::accept() {
    selection_ = countList_->currentIndex();
    TemplateDialog::accept();
}

}  // namespace grayden
