#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <future>
#include <string>

#include <gtest/gtest.h>

#include "platform/FileRead.h"
#include "tests/support/TempDir.h"

namespace grayden {
namespace {

using testing::TempDir;
using testing::writeText;

constexpr std::uint64_t Limit = 16;

TEST(FileRead, ReadsWholeRegularFilesUpToTheLimit) {
    const TempDir dir;
    const std::string withZeros("a\0b\r\n", 5);
    const struct {
        const char* name;
        std::string contents;
    } cases[] = {
        {"empty", ""},
        {"binary", withZeros},
        {"at the limit", std::string(Limit, 'x')},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        writeText(path, c.contents);
        std::string read = "previous";
        EXPECT_EQ(readRegularFile(path, Limit, read), FileReadError::None) << c.name;
        EXPECT_EQ(read, c.contents) << c.name;
    }

    // A link to a regular file reads the file it leads to.
    std::filesystem::create_symlink(dir.file("binary"), dir.file("link"));
    std::string read;
    EXPECT_EQ(readRegularFile(dir.file("link"), Limit, read), FileReadError::None);
    EXPECT_EQ(read, withZeros);
}

TEST(FileRead, RefusalsNameTheCauseAndLeaveTheContentsAlone) {
    const TempDir dir;
    writeText(dir.file("big"), std::string(Limit + 1, 'x'));
    writeText(dir.file("plain"), "text");
    std::filesystem::create_directory(dir.file("folder"));
    std::filesystem::create_symlink(dir.file("nowhere"), dir.file("dangling"));
    const struct {
        std::string path;
        FileReadError expected;
    } cases[] = {
        {dir.file("absent"), FileReadError::Missing}, {dir.file("dangling"), FileReadError::Missing},
        {dir.file("big"), FileReadError::TooLarge},   {dir.file("folder"), FileReadError::NotRegularFile},
        {"/dev/null", FileReadError::NotRegularFile}, {dir.file("plain") + "/below", FileReadError::CannotOpen},
    };
    for (const auto& c : cases) {
        std::string contents = "kept";
        EXPECT_EQ(readRegularFile(c.path, Limit, contents), c.expected) << c.path;
        EXPECT_EQ(contents, "kept") << c.path;
    }
}

TEST(FileRead, OpenFailureLeavesErrnoExplainingIt) {
    const TempDir dir;
    writeText(dir.file("plain"), "text");
    std::string contents;
    errno = 0;
    EXPECT_EQ(readRegularFile(dir.file("plain") + "/below", Limit, contents), FileReadError::CannotOpen);
    EXPECT_EQ(errno, ENOTDIR);
}

TEST(FileRead, NamedPipeIsRefusedWithoutWaitingForAWriter) {
    const TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto result = std::async(std::launch::async, [&] {
        std::string contents;
        return readRegularFile(fifo, Limit, contents);
    });
    if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Release a reader stuck in open() so the test ends with a failure instead of hanging.
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "reading a named pipe waited for a writer";
    }
    EXPECT_EQ(result.get(), FileReadError::NotRegularFile);
}

}  // namespace
}  // namespace grayden
