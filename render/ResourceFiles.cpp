#include "render/ResourceFiles.h"

#include "ui/ResourceLoading.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void initGraydenQrc() { Q_INIT_RESOURCE(grayden); }

namespace grayden {

void initEditorResources() {
    initGraydenQrc();
    registerDialogFontSubstitutes();
}

QJsonObject loadResourceJson(const QString& name) { return loadJsonResource("grayden", name); }

bool loadDialogTemplate(int id, Language language, DialogTemplate& out) {
    if (!readDialogTemplate(loadResourceJson(QString("dialog%1.json").arg(id)), language, out)) return false;
    for (ControlTemplate& control : out.controls) {
        if (control.textId == 0) continue;
        const std::string_view text = stringText(control.textId, language);
        control.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return true;
}

QImage loadBitmap(int id) {
    const QImage image = loadImageResource(QString(":/grayden/bitmap%1.bmp").arg(id));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QIcon loadIcon(int id) { return loadIconResource("grayden", id); }

QCursor loadCursor(int id) { return loadCursorResource("grayden", id); }

QString resourceText(const QJsonObject& entry, Language language) {
    if (!entry.contains("textId")) return entry.value("text").toString();
    const std::string_view text = stringText(entry.value("textId").toInt(), language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace grayden
