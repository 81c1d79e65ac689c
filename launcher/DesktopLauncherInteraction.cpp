#include "launcher/DesktopLauncherInteraction.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

#include "launcher/LauncherText.h"

namespace grayden {

namespace {

QString programCaption() { return QFileInfo(QCoreApplication::applicationFilePath()).baseName(); }

// Qt's offscreen and minimal platforms have no user to answer a box: the text goes to
// standard error and a question is answered No, which changes nothing.
bool hasVisibleScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

QString messageText(int stringId, const QString& detail) {
    return detail.isEmpty() ? launcherText(stringId) : launcherText(stringId) + "\n" + detail;
}

void printMessage(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", programCaption().toUtf8().constData(), text.toUtf8().constData());
}

}  // namespace

bool DesktopLauncherInteraction::askYesNo(QWidget* owner, int stringId) {
    if (!hasVisibleScreen()) {
        printMessage(launcherText(stringId));
        return false;
    }
    QMessageBox box(QMessageBox::Warning, programCaption(), launcherText(stringId), QMessageBox::Yes | QMessageBox::No,
                    owner);
    return box.exec() == QMessageBox::Yes;
}

void DesktopLauncherInteraction::showMessage(QWidget* owner, MessageIcon icon, int stringId, const QString& detail) {
    const QString text = messageText(stringId, detail);
    if (!hasVisibleScreen()) {
        printMessage(text);
        return;
    }
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning, programCaption(), text,
                    QMessageBox::Ok, owner);
    // Paths and commands in the detail are there to be copied into a terminal.
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

}  // namespace grayden
