#pragma once

#include <string>

#include "platform/FileRead.h"

namespace grayden {

// Why a file the user named could not be opened, read or saved, for a message that names both.
struct FileFailure {
    enum class Cause {
        System,          // the system refused; systemError holds its errno
        NotRegularFile,  // a folder, named pipe, device or socket
        TooLarge,        // beyond the size the reader takes
    };
    std::string path;
    Cause cause = Cause::System;
    int systemError = 0;

    // What a failed read of a regular file says, with the errno the read left.
    static FileFailure ofRead(const std::string& path, FileReadError error, int systemError) {
        const Cause cause = error == FileReadError::NotRegularFile ? Cause::NotRegularFile
                            : error == FileReadError::TooLarge     ? Cause::TooLarge
                                                                   : Cause::System;
        return {path, cause, systemError};
    }
};

}  // namespace grayden
