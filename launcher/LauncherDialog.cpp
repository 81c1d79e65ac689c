#include "launcher/LauncherDialog.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "launcher/HoverImageButton.h"
#include "launcher/InstallerService.h"
#include "launcher/LauncherAboutDialog.h"
#include "launcher/LauncherColours.h"
#include "launcher/LauncherInteraction.h"
#include "launcher/LauncherResources.h"
#include "launcher/LauncherText.h"
#include "resources/launcher/StringIds.h"
#include "ui/DialogUnits.h"

namespace grayden {

namespace {

constexpr int IconId = 102;
constexpr int HandCursorId = 451;
constexpr int BannerBitmapId = 301;
constexpr int ManualNormalBitmapId = 1126;
constexpr int ManualHoverBitmapId = 1127;
constexpr int InstallNormalBitmapId = 1122;
constexpr int InstallHoverBitmapId = 1123;
constexpr int InstallDisabledBitmapId = 1128;

// The order the controls are stacked in. Ids without a control here are skipped; the gap
// after 1011 is kept whether or not it exists, so Exit stands apart.
constexpr int ArrangeOrder[] = {1012, 1005, 1008, 1006, 1009, 1010, 1011, 1014};
constexpr int GapAfterId = 1011;
constexpr int Spacing = 10;

}  // namespace

int shellErrorMessageId(OpenResult result) {
    switch (result) {
    case OpenResult::FileNotFound: return NoFileMessage;
    case OpenResult::AccessDenied: return AccessDeniedMessage;
    case OpenResult::OutOfMemory: return NoMemoryMessage;
    case OpenResult::SharingViolation: return SharingViolationMessage;
    case OpenResult::NoAssociation: return NoAssociationMessage;
    case OpenResult::Opened:
    case OpenResult::Failed: break;
    }
    return UnknownErrorMessage;
}

LauncherDialog::LauncherDialog(LauncherServices services, const QString& moduleFolder)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services),
      moduleFolder_(moduleFolder) {
    loadLauncherDialog(TemplateId, launcherLanguage(), template_);
    setWindowTitle(template_.title);
    setFont(QFont(template_.fontFamily, template_.pointSize));
    createControls();

    setWindowIcon(loadLauncherIcon(IconId));
    const QCursor hand = loadLauncherCursor(HandCursorId);
    const Language language = launcherLanguage();
    manualButton_->setLinkCursor(hand);
    manualButton_->setImages(loadLauncherBitmap(ManualHoverBitmapId, language),
                             loadLauncherBitmap(ManualNormalBitmapId, language), QPixmap(),
                             HoverImageButton::HoverState::Normal);
    installButton_->setLinkCursor(hand);
    installButton_->setImages(
        loadLauncherBitmap(InstallHoverBitmapId, language), loadLauncherBitmap(InstallNormalBitmapId, language),
        loadLauncherBitmap(InstallDisabledBitmapId, language), HoverImageButton::HoverState::Normal);
    updateInstallButton();
    arrangeControls();
}

void LauncherDialog::createControls() {
    const QSize base = dialogBaseUnits(font());
    auto place = [&](QWidget* widget, int id) {
        if (const ControlTemplate* t = template_.control(id)) widget->setGeometry(mapDialogRect(t->rect, base));
        controls_[id] = widget;
    };
    banner_ = new QLabel(this);
    place(banner_, BannerId);
    // The banner takes the size of its picture.
    banner_->setPixmap(loadLauncherBitmap(BannerBitmapId, launcherLanguage()));
    banner_->resize(banner_->pixmap().size());
    manualButton_ = new HoverImageButton(this);
    place(manualButton_, ManualButtonId);
    installButton_ = new HoverImageButton(this);
    place(installButton_, InstallButtonId);
    exitButton_ = new QPushButton(this);
    place(exitButton_, ExitButtonId);
    if (const ControlTemplate* t = template_.control(ExitButtonId)) exitButton_->setText(t->text);
    // Enter ends the window, as Exit does.
    exitButton_->setDefault(true);

    connect(manualButton_, &HoverImageButton::clicked, this, &LauncherDialog::openManual);
    connect(installButton_, &HoverImageButton::clicked, this, &LauncherDialog::installEditor);
    connect(exitButton_, &QPushButton::clicked, this, [this] { done(0); });
}

void LauncherDialog::updateInstallButton() {
    // Decided once: the window never turns the button back on, and a tool run leaves it as it was.
    installEnabled_ = services_.installer.canInstallPackages();
    installButton_->enableButton(installEnabled_);
}

void LauncherDialog::arrangeControls() {
    int width = 0;
    for (int id : ArrangeOrder) {
        if (auto it = controls_.find(id); it != controls_.end()) width = std::max(width, it->second->width());
    }
    width += 2 * Spacing;
    int y = 0;
    for (int id : ArrangeOrder) {
        if (auto it = controls_.find(id); it != controls_.end()) {
            QWidget* control = it->second;
            control->move((width - control->width()) / 2, y);
            y += control->height() + Spacing;
        }
        if (id == GapAfterId) y += Spacing;
    }
    const QSize size(width, y + Spacing);
    // The window fits its controls and is not meant to be resized by hand.
    setFixedSize(size);
}

void LauncherDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    arrangeControls();
}

void LauncherDialog::openManual() {
    const OpenResult result = services_.opener.openDocument(moduleFolder_ + launcherText(ManualPath));
    if (result != OpenResult::Opened) reportShellError(result);
}

void LauncherDialog::reportShellError(OpenResult result) {
    services_.user.showMessage(this, MessageIcon::Stop, shellErrorMessageId(result), {});
}

void LauncherDialog::showAboutBox() {
    LauncherAboutDialog box(services_.opener, this);
    box.exec();
}

void LauncherDialog::contextMenuEvent(QContextMenuEvent* event) {
    // X11 gives programs no window menu of their own; the version box is offered here instead.
    const QString item = launcherText(VersionMenuItem);
    if (item.isEmpty()) return;
    QMenu menu(this);
    menu.addAction(item, this, &LauncherDialog::showAboutBox);
    menu.exec(event->globalPos());
}

void LauncherDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !launcherText(VersionMenuItem).isEmpty()) {
        showAboutBox();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LauncherDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), LauncherBackground);
}

}  // namespace grayden
