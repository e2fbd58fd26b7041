// What tells one version of a file from another without reading it: which file it is, how long it is
// and when it was last written, to the nanosecond.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

/// One version of a file as the file system describes it. Another program that writes the file
/// changes its time or its length; one that writes a new file and renames it over this one (a safe
/// save, a file sync) changes which file it is.
struct FileStamp {
    std::uint64_t device = 0;    ///< the file system the file lies on
    std::uint64_t inode = 0;     ///< the file within it
    std::int64_t size = 0;       ///< its length in bytes
    std::int64_t modifiedNs = 0; ///< its last write, in nanoseconds since 1970

    bool operator==(const FileStamp&) const = default;
};

/// The stamp of the file open as `descriptor`; nothing when the system cannot describe it.
std::optional<FileStamp> FileStampOf(int descriptor);
/// The stamp of the file at host path `hostPath` (bytes), through its symbolic links; nothing when
/// no file can be found there (it is gone, or out of reach).
std::optional<FileStamp> FileStampAt(const std::string& hostPath);
