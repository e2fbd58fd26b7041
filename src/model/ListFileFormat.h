// The constants of the list file format, shared by the reader, the writer and the tools.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ListFileFormat {

/// The first four bytes of a version-3 file (EF BE AD DE on disk).
constexpr std::uint32_t kMarker = 0xDEADBEEF;
/// The version every save writes.
constexpr std::int32_t kCurrentVersion = 3;
/// The version of a file without the marker: no notes.
constexpr std::int32_t kVersionWithoutMarker = 2;

/// The head of a wide string with a one-byte length: FF, then the wide marker FFFE, then the length.
constexpr std::uint8_t kLengthEscape = 0xFF;
constexpr std::uint8_t kWideMarkerLow = 0xFE;
constexpr std::uint8_t kWideMarkerHigh = 0xFF;
constexpr std::size_t kWideHeadBytes = 4;
/// A one-byte length of this value announces a longer length field.
constexpr std::uint8_t kLongerLength = 0xFF;

/// Item records carry notes only in exactly this version.
constexpr bool HasNotes(int version) {
    return version == kCurrentVersion;
}

/// The fewest bytes one node record can take in `version`: an item with empty strings (a one-byte
/// length each), and a child count. What a header's item count may claim is bounded by this.
/// The bytes of a node record that are not its texts: quantity, checked, importance, child count.
constexpr std::uint64_t kNodeRecordNumberBytes = 4 * sizeof(std::uint32_t);

constexpr std::uint64_t ShortestNodeRecord(int version) {
    constexpr std::uint64_t kShortestString = 1;
    return kShortestString + (HasNotes(version) ? kShortestString : 0) + kNodeRecordNumberBytes;
}

} // namespace ListFileFormat
