// Reading only the header of a list file, as the document list does for every file it shows.
#pragma once

#include <cstdint>
#include <string_view>

/// What a list file's header says.
struct ListFileHeader {
    /// 3 for current files, 2 for files without the marker, otherwise what the file records.
    std::int32_t version;
    /// The number of items the header records.
    std::uint32_t itemCount;
};

/// Opens `path` for reading (denying writers), reads its header through a temporary document and a
/// load archive with the list file's buffer, and closes it again. Throws `CFileException` when the
/// file cannot be opened or read, and when it is shorter than its header (end of file, naming the
/// file by its name without the folder: "An attempt was made to access Shop.crv past its end.").
ListFileHeader ReadListFileHeader(std::u16string_view path);
