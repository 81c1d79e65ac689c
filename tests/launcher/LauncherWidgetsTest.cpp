// The image buttons' hover images and the version box's link colours, driven by the pointer on
// the offscreen platform.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "launcher/HoverImageButton.h"
#include "launcher/HyperlinkStatic.h"
#include "launcher/LauncherAboutDialog.h"
#include "launcher/LauncherText.h"
#include "resources/launcher/StringIds.h"
#include "tests/launcher/LauncherDoubles.h"

namespace grayden {
namespace {

const QColor Black(0, 0, 0);
const QColor Blue(0, 0, 255);

QPixmap filled(const QColor& colour) {
    QPixmap pixmap(60, 20);
    pixmap.fill(colour);
    return pixmap;
}

// Moves the pointer the way the platform does, so the cursor position follows too.
void pointTo(QWidget* widget, QPoint local) {
    QCursor::setPos(widget->mapToGlobal(local));
    QTest::mouseMove(widget, local);
}

struct ButtonRig {
    ButtonRig() {
        window.resize(200, 100);
        button = new HoverImageButton(&window);
        button->setGeometry(10, 10, 60, 20);
        button->setImages(hover, normal, disabled, HoverImageButton::HoverState::Normal);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    bool showing(const QPixmap& pixmap) const { return button->shownImage().cacheKey() == pixmap.cacheKey(); }

    QPixmap hover = filled(Qt::blue);
    QPixmap normal = filled(Qt::gray);
    QPixmap disabled = filled(Qt::lightGray);
    QWidget window;
    HoverImageButton* button = nullptr;
};

TEST(HoverImageButton, LightsUpUnderThePointerAndGoesBackOnceItLeaves) {
    ButtonRig rig;
    EXPECT_TRUE(rig.showing(rig.normal));
    pointTo(rig.button, QPoint(5, 5));
    EXPECT_TRUE(rig.button->hovering());
    EXPECT_TRUE(rig.showing(rig.hover));
    EXPECT_TRUE(rig.button->pollRunning());
    // Still inside: the poll changes nothing.
    QTest::qWait(3 * HoverImageButton::PollIntervalMs);
    EXPECT_TRUE(rig.showing(rig.hover));
    // Off the window altogether, no leave event is needed: the poll notices.
    QCursor::setPos(rig.window.mapToGlobal(QPoint(500, 500)));
    QTRY_VERIFY(!rig.button->hovering());
    EXPECT_TRUE(rig.showing(rig.normal));
    EXPECT_FALSE(rig.button->pollRunning());
}

TEST(HoverImageButton, DisabledItShowsItsDisabledImageAndTakesNoPointer) {
    ButtonRig rig;
    int clicks = 0;
    QObject::connect(rig.button, &HoverImageButton::clicked, [&] { ++clicks; });
    rig.button->enableButton(false);
    EXPECT_TRUE(rig.showing(rig.disabled));
    pointTo(rig.button, QPoint(5, 5));
    QTest::mouseClick(rig.button, Qt::LeftButton);
    EXPECT_TRUE(rig.showing(rig.disabled));
    EXPECT_EQ(clicks, 0);
    rig.button->enableButton(true);
    EXPECT_TRUE(rig.showing(rig.normal));
    QTest::mouseClick(rig.button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    // Disabled while lit, it keeps its disabled image after the pointer has gone.
    pointTo(rig.button, QPoint(20, 10));
    ASSERT_TRUE(rig.button->pollRunning());
    rig.button->enableButton(false);
    QCursor::setPos(rig.window.mapToGlobal(QPoint(500, 500)));
    QTest::qWait(3 * HoverImageButton::PollIntervalMs);
    EXPECT_TRUE(rig.showing(rig.disabled));
    rig.button->enableButton(true);

    // Without a disabled image the button keeps the picture it shows.
    rig.button->setImages(rig.hover, rig.normal, QPixmap(), HoverImageButton::HoverState::Hovering);
    rig.button->enableButton(false);
    EXPECT_TRUE(rig.showing(rig.hover));
}

TEST(LauncherAboutDialog, TheNoticeIsALinkThatTurnsBlueOnlyUnderThePointer) {
    for (Language language : {Language::English, Language::Japanese}) {
        setLauncherLanguage(language);
        test::CallLog log;
        test::FakeOpener opener(log);
        LauncherAboutDialog box(opener);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        HyperlinkStatic* notice = box.noticeLabel();
        HyperlinkStatic* version = box.versionLabel();
        EXPECT_EQ(version->text(), launcherText(SetupVersionText));
        EXPECT_EQ(notice->text(), launcherText(RightsNotice));
        EXPECT_TRUE(notice->linkFont().underline());
        EXPECT_FALSE(version->linkFont().underline());
        for (HyperlinkStatic* label : {notice, version}) {
            EXPECT_EQ(label->textColour(), Black);
            EXPECT_EQ(label->backgroundBrush().color(), QColor(224, 224, 224));
        }
        EXPECT_EQ(notice->grab().toImage().pixelColor(1, 1), QColor(224, 224, 224));

        // Over the link it turns blue; anywhere else in the box it is black again.
        for (QWidget* elsewhere : {static_cast<QWidget*>(version), static_cast<QWidget*>(box.iconLabel()),
                                   static_cast<QWidget*>(box.closeButton()), static_cast<QWidget*>(&box)}) {
            pointTo(notice, QPoint(4, notice->height() / 2));
            EXPECT_EQ(notice->textColour(), Blue);
            pointTo(elsewhere, QPoint(2, 2));
            EXPECT_EQ(notice->textColour(), Black) << elsewhere->metaObject()->className();
        }
        EXPECT_EQ(version->textColour(), Black);

        // Only the notice opens the web page, and the box stays open.
        QTest::mouseClick(version, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_TRUE(log.isEmpty());
        QTest::mouseClick(notice, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_EQ(log, test::CallLog({"address " + launcherText(WebAddress)}));
        EXPECT_TRUE(box.isVisible());
    }
    setLauncherLanguage(Language::English);
}

}  // namespace
}  // namespace grayden
