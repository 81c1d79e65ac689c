#pragma once

namespace grayden::ctl {

// graydenctl history: the reports of a monitor, listed or plotted over time.
int runHistoryCommand(int argc, char** argv);

}  // namespace grayden::ctl
