#include "launcher/LauncherResources.h"

#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initLauncherQrc() { Q_INIT_RESOURCE(launcher); }

namespace grayden {

namespace {

QJsonObject loadJson(const QString& name) {
    QFile file(":/launcher/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

}  // namespace

void initLauncherResources() {
    initLauncherQrc();
    // Fontconfig knows Arial as Liberation Sans but not the Japanese dialog font.
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
}

bool loadLauncherDialog(int id, Language language, DialogTemplate& out) {
    return readDialogTemplate(loadJson(QString("dialog%1.json").arg(id)), language, out);
}

QPixmap loadLauncherBitmap(int id, Language language) {
    const QString variant =
        QString(":/launcher/bitmap%1-%2.png").arg(id).arg(language == Language::Japanese ? "ja" : "en");
    if (QFile::exists(variant)) return QPixmap(variant);
    return QPixmap(QString(":/launcher/bitmap%1.png").arg(id));
}

QIcon loadLauncherIcon(int id) {
    QIcon icon;
    icon.addFile(QString(":/launcher/icon%1.png").arg(id));
    icon.addFile(QString(":/launcher/icon%1-16.png").arg(id));
    return icon;
}

QCursor loadLauncherCursor(int id) {
    const QJsonObject info = loadJson(QString("cursor%1.json").arg(id));
    const QPixmap pixmap(":/launcher/" + info.value("image").toString());
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    const QJsonArray hotSpot = info.value("hotSpot").toArray();
    return QCursor(pixmap, hotSpot.at(0).toInt(), hotSpot.at(1).toInt());
}

}  // namespace grayden
