#pragma once

namespace grayden::ctl {

// graydenctl curve ...: builds a curve from a source, edits points, prints or saves the table.
// argv holds the arguments after the word "curve".
int runCurveCommand(int argc, char** argv);

}  // namespace grayden::ctl
