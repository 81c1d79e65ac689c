#include "ui/ResourceLoading.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>

namespace grayden {

QJsonObject loadJsonResource(const QString& folder, const QString& name) {
    QFile file(":/" + folder + "/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QIcon loadIconResource(const QString& folder, int id) {
    QIcon icon;
    icon.addFile(QString(":/%1/icon%2.png").arg(folder).arg(id));
    icon.addFile(QString(":/%1/icon%2-16.png").arg(folder).arg(id));
    return icon;
}

QCursor loadCursorResource(const QString& folder, int id) {
    const QJsonObject info = loadJsonResource(folder, QString("cursor%1.json").arg(id));
    const QPixmap pixmap(":/" + folder + "/" + info.value("image").toString());
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    const QJsonArray hotSpot = info.value("hotSpot").toArray();
    return QCursor(pixmap, hotSpot.at(0).toInt(), hotSpot.at(1).toInt());
}

QString languageKey(Language language) { return language == Language::Japanese ? "ja" : "en"; }

namespace {

// The Japanese dialog templates name this face; IPAPGothic is metric-compatible with it.
const char JapaneseDialogFace[] = "ＭＳ Ｐゴシック";

}  // namespace

void registerDialogFontSubstitutes() { QFont::insertSubstitution(QString::fromUtf8(JapaneseDialogFace), "IPAPGothic"); }

QFont interfaceFont(Language language, const QFont& base) {
    if (language != Language::Japanese) return base;
    QFont font = base;
    font.setFamilies({QString::fromUtf8(JapaneseDialogFace), QStringLiteral("IPAPGothic")});
    return font;
}

}  // namespace grayden
