#pragma once

namespace grayden::ctl {

// graydenctl report ...: compares measurements with the greyscale standard display function;
// exit status 0 when every step is within the tolerance, 1 when not (or on an error).
int runReportCommand(int argc, char** argv);

}  // namespace grayden::ctl
