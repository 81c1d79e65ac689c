#include "launcher/LauncherInteraction.h"

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

void printMessage(int stringId) {
    std::fprintf(stderr, "%s: %s\n", programCaption().toUtf8().constData(),
                 launcherText(stringId).toUtf8().constData());
}

}  // namespace

bool DesktopLauncherInteraction::askYesNo(QWidget* owner, int stringId) {
    if (!hasVisibleScreen()) {
        printMessage(stringId);
        return false;
    }
    QMessageBox box(QMessageBox::Warning, programCaption(), launcherText(stringId), QMessageBox::Yes | QMessageBox::No,
                    owner);
    return box.exec() == QMessageBox::Yes;
}

void DesktopLauncherInteraction::showStopMessage(QWidget* owner, int stringId) {
    if (!hasVisibleScreen()) {
        printMessage(stringId);
        return;
    }
    QMessageBox box(QMessageBox::Critical, programCaption(), launcherText(stringId), QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace grayden
