#pragma once

#include <string>
#include <vector>

namespace grayden::testing {

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), with extra environment entries "NAME=value",
// and collects its exit status, standard output and standard error.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnv = {});

}  // namespace grayden::testing
