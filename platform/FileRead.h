#pragma once

#include <cstdint>
#include <string>

namespace grayden {

enum class FileReadError {
    None,
    Missing,         // nothing at the path, or a link that leads nowhere
    CannotOpen,      // the open failed for another reason; errno says why
    NotRegularFile,  // a folder, named pipe, device or socket, never read
    TooLarge,        // larger than the limit, refused before any byte is read
    ReadFailed,      // a read failed part-way; errno says why
};

// Reads the whole of a regular file of at most maxBytes into contents: how the project reads the
// files a user can name (tone files, the simulated monitor's state file). The open never blocks,
// so a named pipe is refused at once instead of waiting for a writer; reads interrupted by a
// signal are resumed; a file that shrinks while it is read gives what was there. On any error,
// contents is left as it was.
FileReadError readRegularFile(const std::string& path, std::uint64_t maxBytes, std::string& contents);

}  // namespace grayden
