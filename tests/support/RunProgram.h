#pragma once

#include <string>
#include <vector>

namespace grayden::testing {

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Where the program's standard output goes: collected, /dev/full (every write fails with
// ENOSPC), or a pipe whose reading end is already closed (EPIPE, or SIGPIPE).
enum class StandardOutput { Captured, DevFull, ClosedPipe };

// Runs a program with arguments (no shell), with extra environment entries "NAME=value",
// and collects its exit status (128 + the signal when a signal ended it), standard output and
// standard error.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnv = {},
                         StandardOutput output = StandardOutput::Captured);

}  // namespace grayden::testing
