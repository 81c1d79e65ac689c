#pragma once

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <string>

namespace grayden::test {

// Sends standard error to a temporary file for as long as it lives; text() reads what came.
class CapturedStderr {
public:
    CapturedStderr() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        char name[] = "/tmp/grayden-stderr-XXXXXX";
        file_ = ::mkstemp(name);
        ::unlink(name);
        ::dup2(file_, STDERR_FILENO);
    }
    ~CapturedStderr() {
        restore();
        if (file_ >= 0) ::close(file_);
    }
    CapturedStderr(const CapturedStderr&) = delete;
    CapturedStderr& operator=(const CapturedStderr&) = delete;

    // Restores standard error and returns everything written to it meanwhile.
    std::string text() {
        restore();
        std::string out;
        char buffer[4096];
        ::lseek(file_, 0, SEEK_SET);
        for (ssize_t n; (n = ::read(file_, buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(n));
        return out;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }

    int saved_ = -1;
    int file_ = -1;
};

}  // namespace grayden::test
