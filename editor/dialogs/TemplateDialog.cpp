#include "editor/dialogs/TemplateDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "editor/app/UserInteraction.h"
#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/SpinArrows.h"
#include "render/ResourceFiles.h"
#include "render/UiText.h"
#include "ui/DialogUnits.h"

namespace grayden {

TemplateDialog::TemplateDialog(int templateId, UserInteraction& user, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      user_(user) {
    setModal(true);
    loadDialogTemplate(templateId, uiLanguage(), template_);
    setWindowTitle(template_.title);
    setFont(QFont(template_.fontFamily, template_.pointSize));
    baseUnits_ = dialogBaseUnits(font());
    setFixedSize(mapDialogSize(template_.size, baseUnits_));
    createControls();
}

void TemplateDialog::createControls() {
    // Made in template order, which is also the keyboard focus order.
    for (const ControlTemplate& c : template_.controls) {
        QWidget* widget = createControl(c);
        if (!widget) continue;
        const QRect rect = mapDialogRect(c.rect, baseUnits_);
        // A combo box's rectangle includes its dropped list; the closed box is as high as its font needs.
        if (qobject_cast<QComboBox*>(widget))
            widget->setGeometry(rect.x(), rect.y(), rect.width(), widget->sizeHint().height());
        else
            widget->setGeometry(rect);
        widget->setVisible(c.visible);
        if (c.id != -1) {
            widget->setObjectName(QString::number(c.id));
            controls_.insert(c.id, widget);
        }
    }
    // The arrows are placed once their buddy has its rectangle.
    for (const ControlTemplate& c : template_.controls) {
        auto* arrows = controlAs<SpinArrows>(c.id);
        if (arrows) arrows->attachTo(controlAs<QLineEdit>(c.buddy));
    }
}

QWidget* TemplateDialog::createControl(const ControlTemplate& c) {
    if (c.kind == "defbutton" || c.kind == "button") {
        auto* button = new QPushButton(c.text, this);
        button->setDefault(c.kind == "defbutton");
        if (c.id == OkId) connect(button, &QPushButton::clicked, this, &QDialog::accept);
        if (c.id == CancelId) connect(button, &QPushButton::clicked, this, &QDialog::reject);
        return button;
    }
    if (c.kind == "label") {
        // Shown as plain text: an ampersand or a tag in a label is shown as it is.
        auto* label = new QLabel(c.text, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    if (c.kind == "icon") {
        auto* label = new QLabel(this);
        const QRect rect = mapDialogRect(c.rect, baseUnits_);
        const int side = std::min(rect.width(), rect.height());
        label->setPixmap(loadIcon(c.resourceId).pixmap(side, side));
        return label;
    }
    if (c.kind == "combobox") return new QComboBox(this);
    if (c.kind == "scaledEdit") return new ScaledEdit(c.scale, this);
    if (c.kind == "edit") return new QLineEdit(this);
    if (c.kind == "spin") return new SpinArrows(this);
    return nullptr;
}

void TemplateDialog::refuseInput(const QString& message, QLineEdit* edit) {
    user_.showMessageText(this, message);
    if (!edit) return;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

}  // namespace grayden
