#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QProcess>
#include <QTranslator>

#include <cstdio>

#include <gtest/gtest.h>

#include "render/UiText.h"
#include "ui/ResourceLoading.h"

namespace grayden {
namespace {

// Fontconfig calls a face like IPAGothic "dual width", which QFontInfo does not count as fixed
// pitch; the widths of a narrow and a wide letter tell.
bool isProportional(const QFont& font) {
    const QFontMetrics metrics(font);
    return !QFontInfo(font).fixedPitch() && metrics.horizontalAdvance("i") < metrics.horizontalAdvance("W");
}

struct QtTextCase {
    const char* context;
    const char* source;
    const char* japanese;
};

TEST(UiLanguage, JapaneseInstallsQtsOwnTranslationsAndEnglishKeepsQtsTexts) {
    const QtTextCase cases[] = {
        {"QPlatformTheme", "Cancel", "キャンセル"}, {"QPlatformTheme", "OK", "OK"},  {"QPlatformTheme", "Open", "開く"},
        {"QFileDialog", "Look in:", nullptr},       {"QLineEdit", "&Copy", nullptr},
    };
    EXPECT_EQ(installQtTranslations(Language::English), nullptr);
    for (const QtTextCase& c : cases) EXPECT_EQ(QCoreApplication::translate(c.context, c.source), c.source);

    QTranslator* translator = installQtTranslations(Language::Japanese);
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations are missing";
    for (const QtTextCase& c : cases) {
        const QString text = QCoreApplication::translate(c.context, c.source);
        if (c.japanese)
            EXPECT_EQ(text, QString::fromUtf8(c.japanese)) << c.source;
        else
            EXPECT_NE(text, c.source) << c.source << " is not translated";
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

// Fontconfig picks a Japanese user's default faces when the process starts, so the Japanese
// half runs in a process of its own; it prints the face it got.
TEST(JapaneseChild, TheGraphLabelAndTheApplicationFontsAreProportional) {
    if (!qEnvironmentVariableIsSet("GRAYDEN_TEST_CHILD")) GTEST_SKIP() << "runs only as the Japanese process";
    setUiLanguage(languageForUiLanguages(QLocale::system().uiLanguages()));
    ASSERT_EQ(uiLanguage(), Language::Japanese);
    const QFontInfo info(graphLabelFont());
    std::printf("label face: %s\n", info.family().toUtf8().constData());
    EXPECT_TRUE(isProportional(graphLabelFont())) << info.family().toStdString();

    // Menus and message boxes get the dialogs' face, at the size the desktop gave.
    const QFont base = QApplication::font();
    const QFont application = interfaceFont(Language::Japanese, base);
    const QFontInfo face(application);
    EXPECT_TRUE(isProportional(application)) << face.family().toStdString();
    EXPECT_EQ(face.family(), QFontInfo(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"))).family());
    EXPECT_EQ(application.pointSizeF(), base.pointSizeF());
    EXPECT_EQ(interfaceFont(Language::English, base), base);
}

TEST(UiLanguage, TheGraphLabelFontIsOneProportionalFaceInBothLanguages) {
    const QFontInfo english(graphLabelFont());
    EXPECT_TRUE(isProportional(graphLabelFont())) << english.family().toStdString();

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_CTYPE", "FC_LANG"}) env.remove(name);
    env.insert("LANG", "ja_JP.UTF-8");
    env.insert("GRAYDEN_TEST_CHILD", "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QApplication::applicationFilePath(), {"--gtest_filter=JapaneseChild.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    EXPECT_TRUE(output.contains("label face: " + english.family() + "\n")) << output.toStdString();
}

}  // namespace
}  // namespace grayden
