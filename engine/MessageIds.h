#pragma once

namespace grayden {

// String-table ids of the messages the engine shows through its owner.
constexpr int MsgCannotOpenFile = 32791;      // "Cannot open the file or invalid file type."
constexpr int MsgInvalidFileContents = 32792; // "Invalid file contents."

// String-table ids of the messages the programs show for the monitor's answers.
constexpr int MsgNoMonitor = 32793;
constexpr int MsgReadFailed = 32794;
constexpr int MsgWriteFailed = 32795;
constexpr int MsgAlreadyCalibrated = 32803;

}  // namespace grayden
