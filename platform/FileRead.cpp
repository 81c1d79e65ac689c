#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <utility>

namespace grayden {

namespace {

// Closes without letting close() overwrite the errno that explains the failure.
FileReadError closeAfter(int fd, FileReadError error) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return error;
}

}  // namespace

FileReadError readRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& contents) {
    // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
    // O_NOCTTY: a terminal named by mistake must not become the process's controlling terminal.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT ? FileReadError::Missing : FileReadError::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return closeAfter(fd, FileReadError::CannotOpen);
    if (!S_ISREG(st.st_mode)) return closeAfter(fd, FileReadError::NotRegularFile);
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return closeAfter(fd, FileReadError::TooLarge);

    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return closeAfter(fd, FileReadError::ReadFailed);
        if (n == 0) break;  // the file shrank while being read; take what is there
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(got);
    contents = std::move(text);
    return FileReadError::None;
}

}  // namespace grayden
