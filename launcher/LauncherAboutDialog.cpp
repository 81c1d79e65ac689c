#include "launcher/LauncherAboutDialog.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "launcher/HyperlinkStatic.h"
#include "launcher/LauncherColours.h"
#include "launcher/LauncherResources.h"
#include "launcher/LauncherText.h"
#include "resources/launcher/StringIds.h"
#include "ui/DialogUnits.h"

namespace grayden {

namespace {

constexpr int IconId = 102;
constexpr int IconControlId = -1;
constexpr int HandCursorId = 451;

}  // namespace

LauncherAboutDialog::LauncherAboutDialog(DocumentOpener& opener, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    loadLauncherDialog(TemplateId, launcherLanguage(), template_);
    setFont(QFont(template_.fontFamily, template_.pointSize));
    setFixedSize(mapDialogSize(template_.size, dialogBaseUnits(font())));
    setMouseTracking(true);
    createControls();

    for (HyperlinkStatic* label : {versionLabel_, noticeLabel_}) {
        label->setBackgroundColour(LauncherBackground);
        label->setTextColour(LauncherText);
    }
    versionLabel_->setText(launcherText(SetupVersionText));
    noticeLabel_->setText(launcherText(RightsNotice));
    noticeLabel_->setUnderline(true);
    noticeLabel_->setLinkState(HyperlinkStatic::LinkState::Enabled);
    noticeLabel_->setLinkCursor(loadLauncherCursor(HandCursorId));
    noticeLabel_->setTarget(launcherText(WebAddress), &opener);
}

void LauncherAboutDialog::createControls() {
    const QSize base = dialogBaseUnits(font());
    auto placed = [&](QWidget* widget, int id) {
        if (const ControlTemplate* t = template_.control(id)) {
            widget->setGeometry(mapDialogRect(t->rect, base));
            if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(t->text);
            if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(t->text);
        }
        widget->installEventFilter(this);
    };
    iconLabel_ = new QLabel(this);
    placed(iconLabel_, IconControlId);
    const QSize iconSize(32, 32);
    iconLabel_->setPixmap(loadLauncherIcon(IconId).pixmap(iconSize));
    iconLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    versionLabel_ = new HyperlinkStatic(this);
    placed(versionLabel_, VersionLabelId);
    noticeLabel_ = new HyperlinkStatic(this);
    placed(noticeLabel_, NoticeLabelId);
    for (HyperlinkStatic* label : {versionLabel_, noticeLabel_}) label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    closeButton_ = new QPushButton(this);
    placed(closeButton_, CloseButtonId);
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void LauncherAboutDialog::restoreLinkColour() {
    if (noticeLabel_->textColour() != LauncherText) noticeLabel_->setTextColour(LauncherText);
}

void LauncherAboutDialog::paintEvent(QPaintEvent*) {
    // A plain frame round a light grey box: the box has no caption bar.
    QPainter painter(this);
    painter.fillRect(rect(), LauncherBackground);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void LauncherAboutDialog::enterEvent(QEnterEvent* event) {
    restoreLinkColour();
    QDialog::enterEvent(event);
}

void LauncherAboutDialog::mouseMoveEvent(QMouseEvent* event) {
    restoreLinkColour();
    QDialog::mouseMoveEvent(event);
}

bool LauncherAboutDialog::eventFilter(QObject* watched, QEvent* event) {
    // The pointer over any other part of the box (icon, version line, Close) is off the link.
    const QEvent::Type type = event->type();
    if (watched != noticeLabel_ && (type == QEvent::Enter || type == QEvent::MouseMove)) restoreLinkColour();
    return QDialog::eventFilter(watched, event);
}

}  // namespace grayden
