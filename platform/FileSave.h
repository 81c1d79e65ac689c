#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace grayden {

// How the new contents are staged before they replace a file.
enum class TemporaryFile {
    Unnamed,  // an unnamed file in the target's folder, given a name only at the last moment
    Named,    // a hidden ".NAME.XXXXXX" beside the target; used where unnamed files are unsupported
};

struct FileSaveOptions {
    // How long a named pipe waits for a reader to open it, and for room to write.
    std::chrono::milliseconds readerWait{5000};
    TemporaryFile temporary = TemporaryFile::Unnamed;
};

// Saves contents at path, the one way every file of the project is written. Saving never
// changes a file the user could not have written, and never changes what kind of file it is:
//
// - Symbolic links are followed; the file they lead to is saved and the links stay links.
//   A link that leads nowhere creates the file it names.
// - A missing file, or a regular file with one link, that the user may write, owned by the
//   user (or whose owner the process may keep, as root may), in a folder the user may write,
//   is replaced atomically: the contents are written and flushed to a temporary in the same
//   folder, which then takes the file's name in one rename, with the file's owner, group and
//   permission bits. A reader sees the old or the new contents, never a mix. A save killed at
//   any moment, even by SIGKILL, leaves no temporary file behind (with TemporaryFile::Named it
//   may). Extended attributes and ACLs of a replaced file are not carried over.
// - A file the user may not write is refused and left as it was (errno EACCES, or what the
//   permission check gave). A folder is refused (EISDIR).
// - Everything else the user may write is written in place, opened with truncation: named
//   pipes, devices, a file reached through a descriptor link such as /dev/stdout, a regular
//   file with several hard links, a regular file in a folder the user may not write, and one
//   whose owner a replacement could not keep. An in-place write is not atomic: a failure
//   part-way leaves the file partly written.
// - A named pipe with no reader does not hang the save: it waits up to options.readerWait for
//   a reader (one started just after the save still gets the contents), then fails with ENXIO.
//   A reader that stops reading fails the save the same way (EAGAIN) once the wait is spent.
//
// Returns true when every byte was written and the file closed without error. On false, errno
// says why, and a replaced file is untouched. A replacement whose last step was killed counts
// as saved only when the file already carries the new contents; otherwise it fails (EINTR) and
// its temporary is removed.
bool saveFile(const std::string& path, std::string_view contents, const FileSaveOptions& options = {});

}  // namespace grayden
