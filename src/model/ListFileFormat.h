// The constants of the list file format, shared by the reader, the writer and the tools.
#pragma once

#include <cstdint>

namespace ListFileFormat {

/// The first four bytes of a version-3 file (EF BE AD DE on disk).
constexpr std::uint32_t kMarker = 0xDEADBEEF;
/// The version every save writes.
constexpr std::int32_t kCurrentVersion = 3;
/// The version of a file without the marker: no notes.
constexpr std::int32_t kVersionWithoutMarker = 2;

/// Item records carry notes only in exactly this version.
constexpr bool HasNotes(int version) {
    return version == kCurrentVersion;
}

} // namespace ListFileFormat
