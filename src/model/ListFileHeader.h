// Reading only the header of a list file, as the document list does for every file it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CFile;

/// What a list file's header says.
struct ListFileHeader {
    /// 3 for current files, 2 for files without the marker, otherwise what the file records.
    std::int32_t version;
    /// The number of items the header records.
    std::uint32_t itemCount;
};

/// The most bytes a header takes: the marker, the version and the item count.
inline constexpr std::size_t kLongestListFileHeader = 3 * sizeof(std::uint32_t);

/// The header that the first bytes of a list file hold, read as a document reads it: a file that does
/// not start with the marker is version 2 and starts with its count. Empty when `bytes` end inside
/// the header.
std::optional<ListFileHeader> DecodeListFileHeader(std::string_view bytes);

/// Reads the header of `file`, open for reading at its start, with one read of at most
/// `kLongestListFileHeader` bytes. Throws `CFileException` when the read fails, and when the file is
/// shorter than its header (end of file, naming the file by its name without the folder: "An
/// attempt was made to access Shop.crv past its end.").
ListFileHeader ReadListFileHeader(CFile& file);

/// Opens the host file `path` for reading (denying writers), reads its header and closes it again; throws
/// `CFileException` as the above does, and when the file cannot be opened.
ListFileHeader ReadListFileHeader(std::u16string_view path);

/// The same for the host file `hostPath` (bytes, as a folder enumeration found it or a device
/// mapped it), named `path` in messages.
ListFileHeader ReadListFileHeader(const std::string& hostPath, std::u16string_view path);
