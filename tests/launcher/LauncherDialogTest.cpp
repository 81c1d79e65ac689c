// The launcher's window with its platform services replaced: what each click asks, removes,
// opens and reports.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "launcher/HoverImageButton.h"
#include "launcher/LauncherAboutDialog.h"
#include "launcher/LauncherDialog.h"
#include "launcher/LauncherResources.h"
#include "launcher/LauncherText.h"
#include "resources/launcher/StringIds.h"
#include "tests/launcher/LauncherDoubles.h"

namespace grayden {
namespace {

using test::CallLog;

const QString Folder = "/media/cdrom/";
const QString Code = "{5D2A9C41-0B7E-4F63-8A1D-93C6E2B40F58}";
const QString Package = Folder + "Installer/grayden.deb";

struct Rig {
    explicit Rig(Language language = Language::English) { setLauncherLanguage(language); }
    ~Rig() { setLauncherLanguage(Language::English); }

    LauncherDialog& window() {
        if (!dialog)
            dialog = std::make_unique<LauncherDialog>(LauncherServices{installer, opener, closer, user}, Folder);
        return *dialog;
    }

    CallLog log;
    test::FakeInstaller installer{log};
    test::FakeOpener opener{log};
    test::FakeWindowCloser closer{log};
    test::ScriptedUser user{log};
    std::unique_ptr<LauncherDialog> dialog;
};

TEST(LauncherInstall, FollowsTheAnswersOfThePackageSystemAndTheUser) {
    struct Case {
        const char* name;
        QString installed;
        bool yes;
        RemovalResult removal;
        CallLog expected;
        bool removalTool = true;
        OpenResult package = OpenResult::Opened;
    };
    const QString check = "check " + Package;
    const QString close = "close LCD Ombrel Utility";
    const QString query = "query " + Code;
    const QString ask = QString("ask %1").arg(RemoveOtherVersionQuestion);
    const QString open = "open " + Package;
    const QString noHandler = QString("stop %1 | ").arg(NoAssociationMessage) +
                              launcherText(PackagePathLine).arg(Package) + "\n" + launcherText(InstallCommandLine) +
                              "\ninstall-command " + Package;
    const QString remove = "remove grayden";
    const QString warn = QString("warn %1 | removal-command grayden").arg(RemoveCommandMessage);
    const QString noFile = QString("stop %1").arg(NoFileMessage);
    const QString ed = "grayden";
    constexpr OpenResult NoHandler = OpenResult::NoAssociation;
    using enum RemovalResult;
    const Case cases[] = {
        {"nothing installed: the package opens at once", "", true, Removed, {check, close, query, open}},
        {"Yes removes the installed copy, then opens", ed, true, Removed, {check, close, query, ask, remove, open}},
        {"No does nothing more", ed, false, Removed, {check, close, query, ask}},
        {"a cancelled removal installs nothing", ed, true, Cancelled, {check, close, query, ask, remove}},
        {"a failed removal still opens the package", ed, true, Failed, {check, close, query, ask, remove, open}},
        {"no pkexec, nothing to remove: no obstacle", "", true, Removed, {check, close, query, open}, false},
        {"no pkexec: command named, then opens", ed, true, Removed, {check, close, query, ask, warn, open}, false},
        {"no handler: nothing removed, command named", ed, true, Removed, {check, noHandler}, true, NoHandler},
        {"a missing package removes nothing", ed, true, Removed, {check, noFile}, true, OpenResult::FileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.installer.installed = c.installed;
        rig.user.answerYes = c.yes;
        rig.installer.removal = c.removal;
        rig.installer.removalTool = c.removalTool;
        rig.opener.results[".deb"] = c.package;
        QTest::mouseClick(rig.window().installButton(), Qt::LeftButton);
        EXPECT_EQ(rig.log, c.expected);
        EXPECT_FALSE(rig.window().toolRunning());
    }
}

TEST(LauncherInstall, WhileAToolRunsTheButtonsWaitAndClosingEndsIt) {
    for (bool close : {false, true}) {
        SCOPED_TRACE(close ? "closed during the removal" : "answered");
        Rig rig;
        rig.installer.hold = true;
        rig.installer.installed = "grayden";
        LauncherDialog& window = rig.window();
        QTest::mouseClick(window.installButton(), Qt::LeftButton);
        rig.installer.answer();
        ASSERT_EQ(rig.log.last(), "remove grayden");
        EXPECT_TRUE(window.toolRunning());
        EXPECT_FALSE(window.installButton()->isEnabled());
        EXPECT_FALSE(window.manualButton()->isEnabled());
        EXPECT_EQ(window.installButton()->shownImage().toImage(),
                  loadLauncherBitmap(1128, Language::English).toImage());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        if (close) {
            window.reject();
            EXPECT_EQ(rig.log.last(), "end");
        } else {
            rig.installer.answer();
            EXPECT_EQ(rig.log.last(), "open " + Package);
        }
        EXPECT_FALSE(window.toolRunning());
        EXPECT_TRUE(window.installButton()->isEnabled());
        EXPECT_TRUE(window.manualButton()->isEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(LauncherInstall, AnUnsupportedPlatformDisablesTheButtonForGood) {
    Rig rig;
    rig.installer.platformSupported = false;
    HoverImageButton* install = rig.window().installButton();
    EXPECT_FALSE(install->isEnabled());
    EXPECT_EQ(install->shownImage().toImage(), loadLauncherBitmap(1128, Language::English).toImage());
    QTest::mouseClick(install, Qt::LeftButton);
    EXPECT_TRUE(rig.log.isEmpty());
    // The manual still opens.
    QTest::mouseClick(rig.window().manualButton(), Qt::LeftButton);
    EXPECT_EQ(rig.log, CallLog({"open " + Folder + "Manual/English/Manual.html"}));
}

TEST(LauncherManual, OpensTheManualOfTheInterfaceLanguageOrSaysWhyNot) {
    struct Case {
        Language language;
        OpenResult result;
        QString path;
        CallLog messages;
    };
    const Case cases[] = {
        {Language::English, OpenResult::Opened, "Manual/English/Manual.html", {}},
        {Language::Japanese, OpenResult::Opened, "Manual/Japanese/Manual.html", {}},
        {Language::English,
         OpenResult::FileNotFound,
         "Manual/English/Manual.html",
         {QString("stop %1").arg(NoFileMessage)}},
        {Language::Japanese,
         OpenResult::NoAssociation,
         "Manual/Japanese/Manual.html",
         {QString("stop %1").arg(NoAssociationMessage)}},
    };
    for (const Case& c : cases) {
        Rig rig(c.language);
        rig.opener.results[".html"] = c.result;
        QTest::mouseClick(rig.window().manualButton(), Qt::LeftButton);
        EXPECT_EQ(rig.log, CallLog{"open " + Folder + c.path} + c.messages);
    }
}

TEST(LauncherManual, EveryShellFailureHasItsMessage) {
    const std::pair<OpenResult, int> cases[] = {
        {OpenResult::FileNotFound, NoFileMessage},         {OpenResult::AccessDenied, AccessDeniedMessage},
        {OpenResult::OutOfMemory, NoMemoryMessage},        {OpenResult::SharingViolation, SharingViolationMessage},
        {OpenResult::NoAssociation, NoAssociationMessage}, {OpenResult::Failed, UnknownErrorMessage},
    };
    for (const auto& [result, message] : cases) {
        Rig rig;
        rig.opener.results[".html"] = result;
        rig.window().openManual();
        ASSERT_FALSE(rig.log.isEmpty());
        EXPECT_EQ(rig.log.last(), QString("stop %1").arg(message));
        EXPECT_FALSE(launcherText(message).isEmpty());
    }
}

TEST(LauncherWindow, StacksItsControlsCentredAndFitsRoundThem) {
    for (Language language : {Language::English, Language::Japanese}) {
        Rig rig(language);
        LauncherDialog& window = rig.window();
        QWidget* banner = window.banner();
        QWidget* manual = window.manualButton();
        QWidget* install = window.installButton();
        QWidget* exit = window.exitButton();
        EXPECT_EQ(banner->size(), QSize(480, 72));
        const int width = std::max({banner->width(), manual->width(), install->width(), exit->width()}) + 20;
        EXPECT_EQ(window.width(), width);
        int y = 0;
        for (QWidget* control : {banner, manual, install}) {
            EXPECT_EQ(control->pos(), QPoint((width - control->width()) / 2, y));
            y += control->height() + 10;
        }
        // Exit stands apart from the rest.
        EXPECT_EQ(exit->pos(), QPoint((width - exit->width()) / 2, y + 10));
        EXPECT_EQ(window.height(), exit->geometry().bottom() + 1 + 10 + 10);
        // A size change puts everything back.
        manual->move(0, 0);
        window.arrangeControls();
        EXPECT_EQ(manual->y(), banner->height() + 10);
    }
}

TEST(LauncherWindow, ExitEnterAndEscapeEndTheWindow) {
    for (int key : {0, int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        Rig rig;
        LauncherDialog& window = rig.window();
        window.show();
        QApplication::setActiveWindow(&window);
        QTimer::singleShot(0, &window, [&] {
            if (key == 0) {
                QTest::mouseClick(window.exitButton(), Qt::LeftButton);
            } else {
                QTest::keyClick(&window, Qt::Key(key));
            }
        });
        EXPECT_EQ(window.exec(), 0);
        EXPECT_TRUE(rig.log.isEmpty());
    }
}

TEST(LauncherWindow, F1AndTheContextMenuOpenTheVersionBox) {
    enum class Way { F1, RightButton };
    for (Way way : {Way::F1, Way::RightButton}) {
        Rig rig;
        LauncherDialog& window = rig.window();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QString menuItem;
        bool opened = false;
        // The box is modal: it is looked at and closed from inside its own event loop.
        auto closeBox = [&] {
            auto* box = qobject_cast<LauncherAboutDialog*>(QApplication::activeModalWidget());
            opened = box != nullptr;
            if (box) box->closeButton()->click();
        };
        if (way == Way::F1) {
            QTimer::singleShot(0, &window, closeBox);
            QTest::keyClick(&window, Qt::Key_F1);
        } else {
            QTimer::singleShot(0, &window, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu || menu->actions().size() != 1) return;
                menuItem = menu->actions().first()->text();
                QTimer::singleShot(0, &window, closeBox);
                menu->actions().first()->trigger();
                menu->close();
            });
            // Anywhere in the window, over a control too.
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    window.installButton()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(window.installButton(), &event);
            EXPECT_EQ(menuItem, launcherText(VersionMenuItem));
        }
        EXPECT_TRUE(opened);
    }
}

}  // namespace
}  // namespace grayden
