#pragma once

namespace grayden {

// String-table ids of the messages the engine shows through its owner.
constexpr int MsgCannotOpenFile = 32791;      // "Cannot open the file or invalid file type."
constexpr int MsgInvalidFileContents = 32792; // "Invalid file contents."

}  // namespace grayden
