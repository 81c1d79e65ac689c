#include "render/UiText.h"

#include <QFile>
#include <QGuiApplication>

#include <cstring>

#include "resources/ErrorMessages.h"
#include "resources/StringIds.h"

namespace grayden {

namespace {

Language currentLanguage = Language::English;

QByteArray formatOf(int id) {
    const std::string_view text = stringText(id, currentLanguage);
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Language uiLanguage() { return currentLanguage; }

void setUiLanguage(Language language) { currentLanguage = language; }

QString uiText(int id) {
    const std::string_view text = stringText(id, currentLanguage);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fileMessageText(int stringId, const FileFailure& failure) {
    const int reasonId = fileFailureReasonId(failure);
    const QString reason = reasonId ? uiText(reasonId) : QString::fromLocal8Bit(std::strerror(failure.systemError));
    return uiText(stringId) + '\n' + QFile::decodeName(QByteArray::fromStdString(failure.path)) + '\n' + reason;
}

QString readoutTextFor(int level, int value) {
    return QString::asprintf(formatOf(ReadoutFormat).constData(), level, value);
}

QString gammaTextFor(double panelGamma) {
    return QString::asprintf(formatOf(GammaLabelFormat).constData(), panelGamma);
}

QString formulaPanelTextFor(double panelGamma) {
    return QString::asprintf(formatOf(PanelGammaFormat).constData(), panelGamma);
}

QString formulaTotalTextFor(double totalGamma) {
    return QString::asprintf(formatOf(TotalGammaFormat).constData(), totalGamma);
}

QFont graphLabelFont() {
    // The default font's size, whether given in points or pixels. Arial is served by Liberation
    // Sans, which carries every digit the scale needs.
    QFont font = QGuiApplication::font();
    font.setFamilies({QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace grayden
