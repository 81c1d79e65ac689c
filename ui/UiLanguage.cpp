#include "ui/UiLanguage.h"

namespace grayden {

Language languageForUiLanguages(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty()) return Language::English;
    const QString first = uiLanguages.first().toLower();
    return first == "ja" || first.startsWith("ja-") || first.startsWith("ja_") ? Language::Japanese : Language::English;
}

}  // namespace grayden
