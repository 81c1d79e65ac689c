#include "launcher/LauncherResources.h"

#include <QFile>

#include "ui/ResourceLoading.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void initLauncherQrc() { Q_INIT_RESOURCE(launcher); }

namespace grayden {

void initLauncherResources() {
    initLauncherQrc();
    registerDialogFontSubstitutes();
}

bool loadLauncherDialog(int id, Language language, DialogTemplate& out) {
    return readDialogTemplate(loadJsonResource("launcher", QString("dialog%1.json").arg(id)), language, out);
}

QPixmap loadLauncherBitmap(int id, Language language) {
    const QString variant = QString(":/launcher/bitmap%1-%2.png").arg(id).arg(languageKey(language));
    if (QFile::exists(variant)) return QPixmap::fromImage(loadImageResource(variant));
    return QPixmap::fromImage(loadImageResource(QString(":/launcher/bitmap%1.png").arg(id)));
}

QIcon loadLauncherIcon(int id) { return loadIconResource("launcher", id); }

QCursor loadLauncherCursor(int id) { return loadCursorResource("launcher", id); }

}  // namespace grayden
