// Every file the program writes or reads a design from goes through here.
//
// Writing: the new bytes go to a fresh file beside the target, are flushed to
// the disk and only then renamed over it, so a full disk, a file-size limit
// or a killed program leaves the old file byte for byte. Every step is
// checked; on any failure the fresh file is removed and the system's reason
// comes back. A target that exists and is not a regular file (a folder, a
// device such as /dev/null, a pipe) is refused, never replaced, and so is a
// file we may not write; a symbolic link to a regular file writes the file
// it points to.
//
// Reading: whatever stands at a path is opened without waiting (a pipe with
// no writer would otherwise block the program), refused unless it is a
// regular file, and read only up to a limit, so /dev/zero or a huge file
// costs no more than the limit.
//
// POSIX only, no Qt: the windows and the batch commands share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tevrane {

// The words the user reads for a system error number: the familiar ones for
// a missing file, a refused access and a full disk, else the system's own
// description ("Is a directory", "File too large", ...).
std::string fileErrorText(int errnum);

// Empty when the file was written and is in place, else why not.
std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
std::string writeFileAtomically(const std::string& path, std::string_view text);

struct FileHead {
    std::vector<std::uint8_t> bytes;  // at most the limit asked for
    std::string failure;              // empty when the file could be read
};

// The first `limit` bytes of the regular file at `path` (fewer if it is
// shorter). A folder, a pipe, a device or a socket is refused at once with a
// message naming what it is.
FileHead readFileHead(const std::string& path, std::size_t limit);

}  // namespace tevrane
