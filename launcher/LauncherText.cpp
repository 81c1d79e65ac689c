#include "launcher/LauncherText.h"

namespace grayden {

namespace {

Language currentLanguage = Language::English;

}  // namespace

Language launcherLanguage() { return currentLanguage; }

void setLauncherLanguage(Language language) { currentLanguage = language; }

QString launcherText(int id) {
    const std::string_view text = stringText(id, currentLanguage);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace grayden
