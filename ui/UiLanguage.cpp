#include "ui/UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace grayden {

Language languageForUiLanguages(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty()) return Language::English;
    const QString first = uiLanguages.first().toLower();
    return first == "ja" || first.startsWith("ja-") || first.startsWith("ja_") ? Language::Japanese : Language::English;
}

QTranslator* installQtTranslations(Language language) {
    if (language != Language::Japanese) return nullptr;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace grayden
