// Header-only reads of list files: one small read, decoded as a document decodes its header.
#include "model/ListFileHeader.h"

#include "model/ListFileFormat.h"
#include "platform/core/File.h"
#include "platform/core/FileException.h"
#include "platform/core/PathNames.h"

namespace {

/// The little-endian 32-bit value at `bytes[index * 4]`, as the archive reads numbers.
std::uint32_t U32At(std::string_view bytes, std::size_t index) {
    std::uint32_t value = 0;
    for (std::size_t byte = sizeof(value); byte-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[index * sizeof(value) + byte]);
    }
    return value;
}

} // namespace

std::optional<ListFileHeader> DecodeListFileHeader(std::string_view bytes) {
    constexpr std::size_t kMarkerIndex = 0;
    constexpr std::size_t kVersionIndex = 1;
    constexpr std::size_t kCountIndex = 2;
    if (bytes.size() < sizeof(std::uint32_t)) {
        return std::nullopt;
    }
    const std::uint32_t first = U32At(bytes, kMarkerIndex);
    if (first != ListFileFormat::kMarker) {
        return ListFileHeader{ListFileFormat::kVersionWithoutMarker, first};
    }
    if (bytes.size() < kLongestListFileHeader) {
        return std::nullopt;
    }
    return ListFileHeader{static_cast<std::int32_t>(U32At(bytes, kVersionIndex)), U32At(bytes, kCountIndex)};
}

ListFileHeader ReadListFileHeader(CFile& file) {
    char bytes[kLongestListFileHeader];
    const std::size_t got = file.Read(bytes, sizeof(bytes));
    const std::optional<ListFileHeader> header = DecodeListFileHeader(std::string_view(bytes, got));
    if (!header) {
        // The user is told which list ends too early.
        throw CFileException(FileErrorCause::EndOfFile, std::u16string(FileNameOf(file.GetFilePath())));
    }
    return *header;
}

ListFileHeader ReadListFileHeader(std::u16string_view path) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    const ListFileHeader header = ReadListFileHeader(file);
    file.Close();
    return header;
}

ListFileHeader ReadListFileHeader(const std::string& hostPath, std::u16string_view path) {
    CFile file;
    file.OpenHostPathOrThrow(hostPath, path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    const ListFileHeader header = ReadListFileHeader(file);
    file.Close();
    return header;
}
