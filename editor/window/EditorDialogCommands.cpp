#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "editor/app/UserInteraction.h"
#include "editor/window/EditorDialog.h"
#include "editor/window/MenuTemplate.h"
#include "render/UiText.h"

namespace grayden {

namespace {

// Command ids from here up belong to the window system and are never greyed by the update pass.
constexpr int SystemCommandBase = 0xF000;

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void EditorDialog::createMenus() {
    std::vector<MenuPopupTemplate> popups;
    loadMenuTemplate(template_.menuId, uiLanguage(), popups);
    for (const MenuPopupTemplate& popup : popups) {
        QMenu* menu = menuBar_->addMenu(popup.text);
        for (const MenuItemTemplate& item : popup.items) {
            if (item.separator) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.text);
            action->setData(item.id);
            action->setEnabled(!item.grayed);
            action->setStatusTip(uiText(item.id));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { onCommand(id); });
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { updatePopup(menu); });
    }
}

// The command-update pass over a popup that is about to open.
void EditorDialog::updatePopup(QMenu* popup) {
    for (QAction* action : popup->actions()) {
        if (action->isSeparator()) continue;
        if (QMenu* sub = action->menu()) {
            if (!sub->actions().isEmpty()) {
                QAction* first = sub->actions().first();
                first->setEnabled(isCommandEnabled(first->data().toInt()));
            }
            continue;
        }
        action->setEnabled(isCommandEnabled(action->data().toInt()));
    }
}

bool EditorDialog::isCommandEnabled(int id) const {
    switch (id) {
    case Command::Undo: return model_.canUndo();
    case Command::Open:
    case Command::Save:
    case Command::SaveAs:
    case Command::Exit:
    case Command::ReadFromMonitor:
    case Command::WriteToMonitor:
    case Command::ControlPoints:
    case Command::DefaultCurve:
    case Command::PanelCharacteristic:
    case Command::GsdfCurve:
    case Command::MeasureLuminance:
    case Command::ConformanceReport:
    case Command::AboutBox: return true;
    default:
        // A command without a handler is greyed.
        return id >= SystemCommandBase;
    }
}

void EditorDialog::onCommand(int id) {
    switch (id) {
    case Command::Open: openFile(); break;
    case Command::Save: saveFile(); break;
    case Command::SaveAs: saveFileAs(); break;
    case Command::Exit: done(ResultExit); break;
    case Command::ReadFromMonitor: model_.readFromMonitor(); break;
    case Command::WriteToMonitor: model_.writeToMonitor(); break;
    case Command::Undo: model_.undo(); break;
    case Command::ControlPoints: chooseControlPoints(); break;
    case Command::DefaultCurve: chooseDefaultCurve(); break;
    case Command::PanelCharacteristic: choosePanelCharacteristic(); break;
    case Command::GsdfCurve: chooseGsdfCurve(); break;
    case Command::MeasureLuminance: measureLuminance(); break;
    case Command::ConformanceReport: chooseConformanceReport(); break;
    case Command::AboutBox: showAboutBox(); break;
    default: break;
    }
}

void EditorDialog::openFile() {
    const QString path = user_.chooseOpenPath(this);
    if (path.isEmpty()) return;
    FileFailure failure;
    if (const ToneFileError error = model_.openToneFile(localPath(path), failure); error != ToneFileError::None) {
        showToneFileFailure(error, failure);
    }
}

void EditorDialog::saveFile() {
    if (model_.filePath().empty()) {
        saveFileAs();
        return;
    }
    saveFileTo(model_.filePath());
}

void EditorDialog::saveFileAs() {
    const QString path = user_.chooseSavePath(this, QFile::decodeName(QByteArray::fromStdString(model_.filePath())));
    if (path.isEmpty()) return;
    saveFileTo(localPath(path));
}

void EditorDialog::saveFileTo(const std::string& path) {
    FileFailure failure;
    if (!model_.saveToneFile(path, failure)) showToneFileFailure(ToneFileError::CannotOpen, failure);
}

void EditorDialog::previewClicked(bool checked) { model_.setPreview(checked); }

void EditorDialog::outputCurveClicked(bool checked) { model_.setShowOutputCurve(checked); }

}  // namespace grayden
