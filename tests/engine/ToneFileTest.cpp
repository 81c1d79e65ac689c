#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <tuple>
#include <vector>

#include "RecordingOwner.h"
#include "engine/CurveModel.h"
#include "engine/ToneFile.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::readText;
using testing::RecordingOwner;
using testing::TempDir;
using testing::writeText;
using Cause = FileFailure::Cause;

// The files that could not be opened, why, and the system's errno where it had one.
std::vector<std::tuple<std::string, Cause, int>> named(const RecordingOwner& owner) {
    std::vector<std::tuple<std::string, Cause, int>> out;
    for (std::size_t i = 0; i < owner.fileFailures.size(); ++i) {
        if (owner.fileErrors[i] != ToneFileError::CannotOpen) continue;
        const FileFailure& f = owner.fileFailures[i];
        out.emplace_back(f.path, f.cause, f.cause == Cause::System ? f.systemError : 0);
    }
    return out;
}

std::string joined(int count, const std::string& sep, const std::string& tail = "") {
    std::string s;
    for (int i = 0; i < count; ++i) {
        s += std::to_string(i * 3);
        if (i + 1 < count) s += sep;
    }
    return s + tail;
}

ToneTable rising(int step) {
    ToneTable t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint16_t>(i * step);
    return t;
}

TEST(ToneText, WrittenFormIsByteExact) {
    ToneTable zeros{};
    const std::string z = formatToneText(zeros);
    EXPECT_EQ(z.size(), 1021u);
    EXPECT_EQ(z.substr(0, 8), "0,\r\n0,\r\n");
    EXPECT_EQ(z.back(), '0');
    const std::string t = formatToneText(identityTable());
    EXPECT_EQ(t.substr(0, 11), "0,\r\n32,\r\n64");
    EXPECT_EQ(t.substr(t.size() - 11), "8128,\r\n8160");
}

TEST(ToneText, AcceptedForms) {
    ToneTable t{};
    ASSERT_TRUE(parseToneText(formatToneText(identityTable()), t));
    EXPECT_EQ(t, identityTable());

    ASSERT_TRUE(parseToneText(joined(256, "\r\n"), t)) << "one per line, CR LF, no commas";
    EXPECT_EQ(t, rising(3));
    ASSERT_TRUE(parseToneText(joined(256, " "), t)) << "single spaces";
    EXPECT_EQ(t, rising(3));
    ASSERT_TRUE(parseToneText(joined(256, ",\n"), t)) << "bare line feeds with commas";
    EXPECT_EQ(t, rising(3));

    ASSERT_TRUE(parseToneText(joined(255, ",", ","), t)) << "255 numbers each with a comma";
    EXPECT_EQ(t[254], 254 * 3);
    EXPECT_EQ(t[255], 0);

    ASSERT_TRUE(parseToneText(joined(300, ","), t)) << "extras are ignored";
    EXPECT_EQ(t, rising(3));

    ASSERT_TRUE(parseToneText("5,," + joined(254, ","), t)) << "empty field";
    EXPECT_EQ(t[0], 5);
    EXPECT_EQ(t[1], 0);
    EXPECT_EQ(t[2], 0);
    EXPECT_EQ(t[3], 3);
}

TEST(ToneText, RefusedForms) {
    ToneTable t = identityTable();
    EXPECT_FALSE(parseToneText(joined(256, "\t"), t)) << "tabs only";
    EXPECT_FALSE(parseToneText(joined(256, "\n"), t)) << "bare line feeds without commas";
    EXPECT_FALSE(parseToneText(joined(200, ","), t)) << "200 numbers";
    EXPECT_FALSE(parseToneText("", t));
    EXPECT_EQ(t, identityTable()) << "a refused text leaves the table alone";
}

TEST(ToneText, LaterCommaBeatsNearerSpaces) {
    ToneTable t{};
    ASSERT_TRUE(parseToneText("1 2 3,4," + joined(254, ","), t));
    EXPECT_EQ(t[0], 1);  // the field "1 2 3" reads as 1; 2 and 3 are lost
    EXPECT_EQ(t[1], 4);
}

TEST(ToneText, ValuesClampDirectlyToFullScale) {
    ToneTable t{};
    ASSERT_TRUE(parseToneText("9000,-1,65536,-99999999999999," + joined(252, ","), t));
    EXPECT_EQ(t[0], 8160);
    EXPECT_EQ(t[1], 0);
    EXPECT_EQ(t[2], 8160);
    EXPECT_EQ(t[3], 0);
}

TEST(ToneText, CrLfFoldingLeavesLoneCarriageReturnsAsWhiteSpace) {
    ToneTable t{};
    // "\r\r\n" folds to "\r " : the CR is stripped as leading white space of the next field.
    std::string text = "1\r\r\n2";
    for (int i = 2; i < 256; ++i) text += "\r\n" + std::to_string(i + 1);
    ASSERT_TRUE(parseToneText(text, t));
    EXPECT_EQ(t[0], 1);
    EXPECT_EQ(t[1], 2);
    EXPECT_EQ(t[255], 256);
}

struct FileFixture : ::testing::Test {
    TempDir dir;
    RecordingOwner owner;
    CurveModel model{owner, owner.listener()};
    void SetUp() override { model.installTable(identityTable()); }
    // The file operations, their failures remembered by the owner.
    bool open(const std::string& path) {
        FileFailure f;
        return owner.noted(model.openToneFile(path, f), f);
    }
    bool load(const std::string& path) {
        FileFailure f;
        return owner.noted(model.loadToneFile(path, f), f);
    }
    bool save(const std::string& path) {
        FileFailure f;
        return owner.noted(model.saveToneFile(path, f) ? ToneFileError::None : ToneFileError::CannotOpen, f);
    }
};

TEST_F(FileFixture, SaveThenOpenReproducesTheCurve) {
    model.applyDefaultCurve(2.2);
    const ToneTable saved = model.currentTable();
    const std::string path = dir.file("curve.csv");
    ASSERT_TRUE(save(path));
    EXPECT_EQ(model.filePath(), path);
    EXPECT_EQ(readText(path), formatToneText(saved));

    model.applyDefaultCurve(1.0);
    ASSERT_TRUE(save(dir.file("other.csv")));
    ASSERT_TRUE(open(path));
    EXPECT_EQ(model.currentTable(), saved);
    EXPECT_EQ(model.filePath(), path);
}

TEST_F(FileFixture, OpenAtAnotherCountResamples) {
    const std::string path = dir.file("g.csv");
    writeText(path, formatToneText(makeDefaultCurve(2.2)));
    ASSERT_TRUE(model.applyPointCount(0));
    ASSERT_TRUE(open(path));
    EXPECT_EQ(model.currentTable()[127], makeDefaultCurve(2.2)[127]);
    EXPECT_NE(model.currentTable(), makeDefaultCurve(2.2));
}

TEST_F(FileFixture, FailedOpenKeepsEverythingButTheUndoRecord) {
    const std::string previous = dir.file("previous.csv");
    ASSERT_TRUE(save(previous));
    const ToneTable before = model.currentTable();
    const std::string bad = dir.file("short.csv");
    writeText(bad, joined(200, ","));

    EXPECT_FALSE(open(bad));
    EXPECT_FALSE(open(dir.file("missing.csv")));
    EXPECT_FALSE(open(dir.path().string()));  // a folder is no tone file
    const std::string fifo = dir.file("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(open(fifo));  // must neither hang nor wait for a writer
    EXPECT_EQ(owner.fileErrors, (std::vector<ToneFileError>{ToneFileError::InvalidContents, ToneFileError::CannotOpen,
                                                            ToneFileError::CannotOpen, ToneFileError::CannotOpen}));
    EXPECT_EQ(named(owner),
              (std::vector<std::tuple<std::string, Cause, int>>{{dir.file("missing.csv"), Cause::System, ENOENT},
                                                                {dir.path().string(), Cause::NotRegularFile, 0},
                                                                {fifo, Cause::NotRegularFile, 0}}));
    EXPECT_EQ(model.currentTable(), before);
    EXPECT_EQ(model.filePath(), previous);
    EXPECT_EQ(model.undoHistory().size(), 4u);
    model.undo();
    EXPECT_EQ(model.currentTable(), before);
}

TEST_F(FileFixture, LoadWithPreviewOnWritesThePreview) {
    const std::string path = dir.file("p.csv");
    writeText(path, formatToneText(makeDefaultCurve(2.2)));
    ModelSettings previewing = model.settings();
    previewing.previewOn = true;
    model.restoreSettings(previewing);
    ASSERT_TRUE(load(path));
    ASSERT_EQ(owner.writes.size(), 1u);
    EXPECT_EQ(owner.writes[0].which, MonitorTable::Preview);
    EXPECT_EQ(owner.writes[0].table, model.currentTable());
}

TEST_F(FileFixture, OversizedFileIsRefusedUnread) {
    const std::string path = dir.file("huge.csv");
    {
        std::ofstream out(path, std::ios::binary);
        out << formatToneText(identityTable());
    }
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(MaxToneFileBytes) + 1), 0);  // sparse
    EXPECT_FALSE(load(path));
    EXPECT_EQ(owner.fileErrors, std::vector<ToneFileError>{ToneFileError::CannotOpen});
    EXPECT_EQ(named(owner), (std::vector<std::tuple<std::string, Cause, int>>{{path, Cause::TooLarge, 0}}));
}

TEST_F(FileFixture, FailedSaveLeavesTheOldFileAndPath) {
    const std::string path = dir.file("keep.csv");
    ASSERT_TRUE(save(path));
    writeText(path, "old contents");
    // Saving into a folder that cannot take new files must not touch the existing one.
    ::chmod(dir.path().c_str(), 0500);
    const bool writable = ::access(dir.path().c_str(), W_OK) == 0;  // root ignores the mode
    if (!writable) {
        EXPECT_FALSE(save(path));
        EXPECT_EQ(owner.fileErrors, std::vector<ToneFileError>{ToneFileError::CannotOpen});
        EXPECT_EQ(readText(path), "old contents");
    }
    ::chmod(dir.path().c_str(), 0700);

    EXPECT_FALSE(save(dir.file("no/such/folder/x.csv")));
    EXPECT_FALSE(save(dir.path().string()));  // the target is a folder
    const auto failures = named(owner);
    ASSERT_GE(failures.size(), 2u);
    EXPECT_EQ(failures.back(), std::make_tuple(dir.path().string(), Cause::System, EISDIR));
    EXPECT_EQ(failures[failures.size() - 2], std::make_tuple(dir.file("no/such/folder/x.csv"), Cause::System, ENOENT));
    EXPECT_EQ(model.filePath(), path);
    EXPECT_EQ(readText(path), "old contents");
    // No temporary files are left behind.
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.exists();
    EXPECT_EQ(entries, 1);
}

TEST_F(FileFixture, SaveReplacesInPlaceKeepingModeAndFollowingLinks) {
    const std::string real = dir.file("real.csv");
    const std::string link = dir.file("link.csv");
    writeText(real, "old");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(save(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readText(real), formatToneText(model.currentTable()));
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace grayden
