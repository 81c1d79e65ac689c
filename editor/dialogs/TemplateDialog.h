#pragma once

#include <QDialog>
#include <QHash>
#include <QSize>

#include "render/ResourceFiles.h"

class QLineEdit;

namespace grayden {

class UserInteraction;

// A small modal dialog built from its dialog resource in the interface language: the template's
// title, font, size and controls, every rectangle converted from dialog units with the font's
// base units. Button 1 is OK (also Enter) and button 2 Cancel (also Escape); a derived dialog
// checks its input by overriding accept.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(int templateId, UserInteraction& user, QWidget* parent);

    static constexpr int OkId = 1;
    static constexpr int CancelId = 2;

    const DialogTemplate& dialogTemplate() const { return template_; }
    QSize baseUnits() const { return baseUnits_; }
    // The control with this id, or null when the template has none.
    QWidget* control(int id) const { return controls_.value(id); }
    template <class Widget>
    Widget* controlAs(int id) const {
        return qobject_cast<Widget*>(control(id));
    }

protected:
    // Tells the user why the input was refused and keeps the dialog open; an edit, when given,
    // gets the focus with its whole text selected so the user can type over it.
    void refuseInput(const QString& message, QLineEdit* edit);
    UserInteraction& user() { return user_; }

private:
    void createControls();
    QWidget* createControl(const ControlTemplate& c);

    UserInteraction& user_;
    DialogTemplate template_;
    QSize baseUnits_;
    QHash<int, QWidget*> controls_;
};

}  // namespace grayden
