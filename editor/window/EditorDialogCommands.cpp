#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "editor/app/UserInteraction.h"
#include "editor/pointlist/PointListCtrl.h"
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
    case Command::ReadFromMonitor: monitor_.readFromMonitor(); break;
    case Command::WriteToMonitor: monitor_.writeToMonitor(); break;
    case Command::Undo: model_.undo(); break;
    case Command::ControlPoints: chooseControlPoints(); break;
    case Command::DefaultCurve: chooseDefaultCurve(); break;
    case Command::PanelCharacteristic: choosePanelCharacteristic(); break;
    case Command::GsdfCurve: chooseGsdfCurve(); break;
    case Command::AboutBox: showAboutBox(); break;
    default: break;
    }
}

void EditorDialog::openFile() {
    const QString path = user_.chooseOpenPath(this);
    if (path.isEmpty()) return;
    model_.openToneFile(localPath(path));
}

void EditorDialog::saveFile() {
    if (model_.filePath.empty()) {
        saveFileAs();
        return;
    }
    model_.saveToneFile(model_.filePath);
}

void EditorDialog::saveFileAs() {
    const QString path = user_.chooseSavePath(this, QFile::decodeName(QByteArray::fromStdString(model_.filePath)));
    if (path.isEmpty()) return;
    model_.saveToneFile(localPath(path));
}

void EditorDialog::previewClicked(bool checked) {
    model_.previewOn = checked;
    // Turning Preview off sends nothing; the monitor keeps its preview table.
    if (checked) monitor_.previewSwitchedOn();
}

void EditorDialog::outputCurveClicked(bool checked) {
    model_.showOutputCurve = checked;
    invalidateGraph();
}

bool EditorDialog::endLabelEdit(int row, std::string& text) {
    if (!CurveModel::validateValueText(text)) return false;
    // The k-th editable row is point k. A refill may have come while the box was open; when
    // its row is no longer a control point, the value is refused instead of moving another point.
    const PointListModel& list = pointList_->listModel();
    int k = 0;
    for (int j = 0; j < row; ++j) {
        const CellStyle* style = list.findCellStyle(1, j);
        if (style && style->editable) ++k;
    }
    const CellStyle* own = list.findCellStyle(1, row);
    if (!own || !own->editable || k >= model_.livePointCount()) return false;

    model_.pushUndo(model_.currentTable, {.sendToMonitor = model_.previewOn, .rebuild = true});
    model_.setPointValue(k, std::stoi(text));
    pointList_->fill(model_.currentTable, model_.points, model_.livePointCount(), false);
    pointList_->scrollBack();
    invalidateGraph();
    gammaText_ = gammaTextFor(model_.panelGamma);
    transferTexts();
    model_.previewIfOn();
    return true;
}

}  // namespace grayden
