#include "editor/ResourceFiles.h"

#include <QFile>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initGraydenQrc() { Q_INIT_RESOURCE(grayden); }

namespace grayden {

void initEditorResources() {
    initGraydenQrc();
    // Fontconfig knows Arial as Liberation Sans but not the Japanese dialog font.
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
}

QJsonObject loadResourceJson(const QString& name) {
    QFile file(":/grayden/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QImage loadBitmap(int id) {
    QImage image(QString(":/grayden/bitmap%1.bmp").arg(id));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QIcon loadIcon(int id) {
    QIcon icon;
    icon.addFile(QString(":/grayden/icon%1.png").arg(id));
    icon.addFile(QString(":/grayden/icon%1-16.png").arg(id));
    return icon;
}

QCursor loadCursor(int id) {
    const QJsonObject info = loadResourceJson(QString("cursor%1.json").arg(id));
    const QPixmap pixmap(":/grayden/" + info.value("image").toString());
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    const QJsonArray hotSpot = info.value("hotSpot").toArray();
    return QCursor(pixmap, hotSpot.at(0).toInt(), hotSpot.at(1).toInt());
}

QString languageKey(Language language) { return language == Language::Japanese ? "ja" : "en"; }

QString resourceText(const QJsonObject& entry, Language language) {
    if (!entry.contains("textId")) return entry.value("text").toString();
    const std::string_view text = stringText(entry.value("textId").toInt(), language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace grayden
