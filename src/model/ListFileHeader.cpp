// Header-only reads of list files.
#include "model/ListFileHeader.h"

#include "model/CorvinaDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"
#include "platform/core/FileException.h"

namespace {

/// The last part of a device path ("\Lists\Shop.crv") or a host path ("/tmp/Shop.crv").
std::u16string_view FileNameOf(std::u16string_view path) {
    const std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

ListFileHeader ReadListFileHeader(std::u16string_view path) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    CCorvinaDoc doc;
    CArchive archive(&file, CArchive::load, CDocument::kArchiveBufferSize);
    std::uint32_t count = 0;
    try {
        count = doc.ReadHeader(archive);
    } catch (const CArchiveException& failure) {
        // The archive knows no file name, but here the file is known: the user is told which list
        // ends too early.
        if (failure.Cause() != ArchiveErrorCause::EndOfFile) {
            throw;
        }
        throw CFileException(FileErrorCause::EndOfFile, std::u16string(FileNameOf(path)));
    }
    archive.Close();
    file.Close();
    return {doc.version, count};
}
