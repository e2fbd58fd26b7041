// Header-only reads of list files.
#include "model/ListFileHeader.h"

#include "model/CorvinaDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

ListFileHeader ReadListFileHeader(std::u16string_view path) {
    CFile file;
    file.OpenOrThrow(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
    CCorvinaDoc doc;
    CArchive archive(&file, CArchive::load, CDocument::kArchiveBufferSize);
    const std::uint32_t count = doc.ReadHeader(archive);
    archive.Close();
    file.Close();
    return {doc.version, count};
}
