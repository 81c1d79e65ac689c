#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "tests/support/MemoryStringStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unprivileged.h"

#include "editor/app/IniStringStore.h"
#include "editor/app/IniText.h"
#include "engine/CurveModel.h"
#include "tests/editor/CapturedStderr.h"
#include "tests/support/RestoreSetting.h"

namespace grayden {
namespace {

using testing::readText;
using testing::restoreSetting;
using testing::TempDir;
using testing::writeText;

TEST(IniStringStore, SettingsRoundTripThroughTheUsersConfigFolder) {
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/KOVA/LCD Ombrel Ver2.0x.ini";
    QFile::remove(expected);
    {
        IniStringStore store;
        EXPECT_EQ(store.fileName(), expected);
        std::string text;
        EXPECT_FALSE(store.readStringValue(SettingsKeyPath, "Width", text));

        DetachedMonitor owner;
        CurveModel model(owner);
        restoreSetting(model, &ModelSettings::pointCountIndex, 5);
        restoreSetting(model, &ModelSettings::exponent, 1.8);
        restoreSetting(model, &ModelSettings::previewOn, true);
        restoreSetting(model, &ModelSettings::windowWidth, 1024);
        SettingsStore(store).saveSettings(model);
    }
    ASSERT_TRUE(QFile::exists(expected));
    QSettings raw(expected, QSettings::IniFormat);
    EXPECT_EQ(raw.value("ControlPntIdx").toString(), "5");
    EXPECT_EQ(raw.value("Gamma").toString(), "1.800000");
    EXPECT_EQ(raw.value("ViewCurve").toString(), "1");
    EXPECT_EQ(raw.value("Preview").toString(), "0");

    IniStringStore store;
    DetachedMonitor owner;
    CurveModel loaded(owner);
    SettingsStore(store).loadSettings(loaded);
    EXPECT_EQ(loaded.pointCountIndex(), 5);
    EXPECT_DOUBLE_EQ(loaded.exponent(), 1.8);
    EXPECT_TRUE(loaded.previewOn());
    EXPECT_FALSE(loaded.showOutputCurve());
    EXPECT_EQ(loaded.windowWidth(), 1024);
    EXPECT_EQ(loaded.windowHeight(), 600);

    std::string text;
    EXPECT_FALSE(store.readStringValue("Software\\Other", "Width", text)) << "only the editor's own key";
    QFile::remove(expected);
}

// Only the lines of the values written change: lists, @ByteArray, @Variant, other groups, lookalike
// sections, comments and continued or quoted values stay as they were.
TEST(IniText, UpdatesRewriteOnlyTheValuesWritten) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"", "[General]\nGamma=1.000000\nWidth=900\n"},
        {"[General]\nList=a, "
         "b\nWidth=1024\nBytes=@ByteArray(\\0\\x1)\nPoint=@Variant(\\0\\0\\0\\x1a)\n\n[Grp]\nWidth=7\n",
         "[General]\nList=a, "
         "b\nWidth=900\nBytes=@ByteArray(\\0\\x1)\nPoint=@Variant(\\0\\0\\0\\x1a)\nGamma=1.000000\n\n[Grp]\nWidth=7\n"},
        {"[Grp]\nx=1\n", "[General]\nGamma=1.000000\nWidth=900\n\n[Grp]\nx=1\n"},
        {"[%General]\nWidth=3", "[General]\nGamma=1.000000\nWidth=900\n\n[%General]\nWidth=3"},
        {"\xef\xbb\xbf; note\n  W%69dth = 5 ; why\nNote=\"q\nWidth=6\"\nLong=a\\\nWidth=8\n[general]\nGamma=2",
         "\xef\xbb\xbf; note\n  Width=900; why\nNote=\"q\nWidth=6\"\nLong=a\\\nWidth=8\n[general]\nGamma=1.000000"},
    };
    const std::map<QString, QString> values{{"Width", "900"}, {"Gamma", "1.000000"}};
    for (const auto& c : cases) EXPECT_EQ(updateIniText(c.before, values).toStdString(), std::string(c.after));
}

// A settings path that is no regular file never blocks and is never written; a link to one is
// followed. Run as the unprivileged user, to whom a write-only file is really unreadable.
TEST(IniStringStore, SpecialPathsAreNeverOpenedAndLinksAreFollowed) {
    const struct {
        const char* name;
        std::function<void(const std::string& path, const std::string& other)> make;
        bool usable;
        int warnings;
    } cases[] = {
        {"named pipe", [](auto& p, auto&) { ::mkfifo(p.c_str(), 0644); }, false, 1},
        {"link to a named pipe", [](auto& p, auto& o) { ::mkfifo(o.c_str(), 0644), ::symlink(o.c_str(), p.c_str()); },
         false, 1},
        {"folder", [](auto& p, auto&) { ::mkdir(p.c_str(), 0755); }, false, 1},
        {"unreadable file", [](auto& p, auto&) { writeText(p, "[General]\nWidth=1\n"), ::chmod(p.c_str(), 0200); },
         false, 0},
        {"link to a file",
         [](auto& p, auto& o) { writeText(o, "[General]\nWidth=1024\nL=a, b\n"), ::symlink(o.c_str(), p.c_str()); },
         true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir home;
        const std::string folder = home.file("KOVA");
        const std::string path = folder + "/LCD Ombrel Ver2.0x.ini";
        const std::string other = home.file("elsewhere");
        ::chmod(home.path().c_str(), 0777);
        ::mkdir(folder.c_str(), 0777);
        c.make(path, other);
        struct stat before {};
        ::lstat(path.c_str(), &before);
        ::lchown(path.c_str(), testing::Nobody, testing::NobodyGroup);
        ::chown(other.c_str(), testing::Nobody, testing::NobodyGroup);
        const bool regular = std::filesystem::is_regular_file(path);
        const std::string kept = regular ? readText(path) : "";

        test::CapturedStderr err;
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(10);  // a store that blocks fails the case instead of hanging the suite
            qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.path().string()));
            if (!testing::becomeUnprivileged()) ::_exit(9);
            IniStringStore store;
            std::string width;
            const bool read = store.readStringValue(SettingsKeyPath, "Width", width) && width == "1024";
            store.writeStringValue(SettingsKeyPath, "Width", "900");
            ::_exit((read ? 1 : 0) | (store.commit() ? 2 : 0));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string said = err.text();
        ASSERT_TRUE(WIFEXITED(status)) << "the store blocked";
        EXPECT_EQ(WEXITSTATUS(status), c.usable ? 3 : 0);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.warnings) << said;
        struct stat after {};
        ::lstat(path.c_str(), &after);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT) << "still the same kind of file";
        if (regular) {
            ::chmod(path.c_str(), 0600);
            EXPECT_EQ(readText(path), c.usable ? "[General]\nWidth=900\nL=a, b\n" : kept);
        }
    }
}

// Writes through the store and commits once; the file must read back as the same text.
struct IniFixture : ::testing::Test {
    IniStringStore store;
    QString path = store.fileName();
    void SetUp() override {
        QFile::remove(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    void TearDown() override { QFile::remove(path); }
    void write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(store.writeStringValue(SettingsKeyPath, name, text));
    }
};

TEST_F(IniFixture, ValuesQSettingsCouldMisreadRoundTripExactly) {
    const std::string texts[] = {
        "2",
        "1.000000",
        "",
        "a,b",
        "x;y",
        "k=v",
        " lead",
        "trail ",
        "@at",
        "@Invalid()",
        "@ByteArray(x)",
        "quote\"back\\slash",
        "tab\tline\nreturn\r",
        std::string("\x01"
                    "a\x1f"
                    "F") +
            "\x7f",
        "\xe6\x97\xa5\xe6\x9c\xac \xc3\xa9",
        "[General]",
        "#not a comment",
    };
    int i = 0;
    for (const std::string& text : texts) write("Value" + std::to_string(i++), text);
    ASSERT_TRUE(store.commit());

    const QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.status(), QSettings::NoError);
    i = 0;
    for (const std::string& text : texts) {
        const std::string name = "Value" + std::to_string(i++);
        EXPECT_EQ(raw.value(QString::fromStdString(name)).toString().toStdString(), text) << name;
        std::string back;
        EXPECT_TRUE(store.readStringValue(SettingsKeyPath, name, back));
        EXPECT_EQ(back, text) << name;
    }
}

TEST_F(IniFixture, FileWrittenByQSettingsIsReadAndItsOtherValuesKept) {
    {
        QSettings qt(path, QSettings::IniFormat);
        qt.setValue("Width", "1024");
        qt.setValue("Other", "keep, me");
        qt.setValue("Group/Sub/Key", "deep");
        qt.setValue("General/x", "a group named General");
        qt.setValue(QString::fromUtf8("K\xc3\xa9y %"), "odd key");
    }
    std::string text;
    ASSERT_TRUE(store.readStringValue(SettingsKeyPath, "Width", text));
    EXPECT_EQ(text, "1024");

    write("Width", "900");
    ASSERT_TRUE(store.commit());
    const QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Width").toString(), "900");
    EXPECT_EQ(raw.value("Other").toString(), "keep, me");
    EXPECT_EQ(raw.value("Group/Sub/Key").toString(), "deep");
    EXPECT_EQ(raw.value("General/x").toString(), "a group named General");
    EXPECT_EQ(raw.value(QString::fromUtf8("K\xc3\xa9y %")).toString(), "odd key");
    ASSERT_TRUE(store.readStringValue(SettingsKeyPath, "Width", text));
    EXPECT_EQ(text, "900") << "a rewritten file is read afresh";
}

TEST_F(IniFixture, NothingIsWrittenBeforeTheCommitAndLinksSurviveIt) {
    write("Width", "1000");
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(store.commit());
    // A second name for the file sees the next save: the file is written, not replaced by another.
    const QString second = path + ".link";
    QFile::remove(second);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()), 0);
    write("Width", "1100");
    ASSERT_TRUE(store.commit());
    EXPECT_EQ(QSettings(second, QSettings::IniFormat).value("Width").toString(), "1100");
    QFile::remove(second);
}

// The editor saves its seven values as one file write: a save killed at any moment leaves
// either every old or every new value, and no temporary file.
TEST_F(IniFixture, KilledSavesLeaveAllOldOrAllNewValues) {
    DetachedMonitor owner;
    CurveModel a(owner);
    CurveModel b(owner);
    restoreSetting(a, &ModelSettings::pointCountIndex, 1);
    restoreSetting(a, &ModelSettings::exponent, 1.5);
    restoreSetting(a, &ModelSettings::windowWidth, 700);
    restoreSetting(b, &ModelSettings::pointCountIndex, 5);
    restoreSetting(b, &ModelSettings::exponent, 2.5);
    restoreSetting(b, &ModelSettings::previewOn, true);
    restoreSetting(b, &ModelSettings::showOutputCurve, true);
    restoreSetting(b, &ModelSettings::windowWidth, 1300);
    restoreSetting(b, &ModelSettings::windowHeight, 900);
    SettingsStore(store).saveSettings(a);
    const auto settingsOf = [&](const CurveModel& m) {
        MemoryStringStore memory;
        SettingsStore(memory).saveSettings(m);
        return memory.values;
    };
    const auto expectedA = settingsOf(a);
    const auto expectedB = settingsOf(b);

    std::mt19937 random(4711);
    for (int round = 0; round < 40; ++round) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            IniStringStore own;
            for (unsigned i = 0;; ++i) SettingsStore(own).saveSettings(i % 2 == 0 ? b : a);
        }
        ::usleep(static_cast<useconds_t>(1000 + random() % 8000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        // The last link-and-rename runs in a helper of the saver that outlives it by moments.
        const auto entries = [&] {
            return QDir(QFileInfo(path).absolutePath())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        for (int wait = 0; wait < 200 && entries().size() > 1; ++wait) ::usleep(10000);
        // Read back the way the editor does, value by value. That helper may land its rename
        // between two reads, so the values count once two read-backs in a row agree.
        const auto readBack = [&] {
            MemoryStringStore seen;
            IniStringStore reader;
            for (const auto& [key, text] : expectedA) {
                const std::string name = key.substr(key.rfind('\\') + 1);
                std::string value;
                if (reader.readStringValue(SettingsKeyPath, name, value)) seen.values[key] = value;
            }
            return seen.values;
        };
        auto seen = readBack();
        for (int wait = 0; wait < 100; ++wait) {
            ::usleep(10000);
            auto again = readBack();
            if (again == seen) break;
            seen = std::move(again);
        }
        EXPECT_TRUE(seen == expectedA || seen == expectedB) << "round " << round;
        EXPECT_EQ(entries(), QStringList{QFileInfo(path).fileName()}) << "round " << round;
    }
}

}  // namespace
}  // namespace grayden
