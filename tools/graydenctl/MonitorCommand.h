#pragma once

namespace grayden::ctl {

// graydenctl monitor list|status|read|write; argv holds the arguments after "monitor".
int runMonitorCommand(int argc, char** argv);

}  // namespace grayden::ctl
