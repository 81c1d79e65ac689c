#include "ui/ResourceLoading.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>

namespace grayden {

QJsonObject loadJsonResource(const QString& folder, const QString& name) {
    QFile file(":/" + folder + "/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QImage loadImageResource(const QString& path) {
    // With the format named and detection off, Qt reads the image with its built-in handler
    // instead of loading every image plugin (and QtSvg) to ask whether it can.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon loadIconResource(const QString& folder, int id) {
    QIcon icon;
    for (const QString& name : {QString("icon%1.png"), QString("icon%1-16.png")}) {
        const QImage image = loadImageResource(":/" + folder + "/" + name.arg(id));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QCursor loadCursorResource(const QString& folder, int id) {
    const QJsonObject info = loadJsonResource(folder, QString("cursor%1.json").arg(id));
    const QPixmap pixmap = QPixmap::fromImage(loadImageResource(":/" + folder + "/" + info.value("image").toString()));
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
