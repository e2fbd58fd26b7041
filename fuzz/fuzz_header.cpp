// Fuzzes reading only the header of a list file, as the document list does for every file.
#include "FuzzSupport.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilenceErrorReports();
    const MemoryFile input(data, size);
    CFile file;
    if (!file.Open(input.Path(), CFile::modeRead | CFile::shareDenyWrite)) {
        return 0;
    }
    CCorvinaDoc doc;
    try {
        CArchive archive(&file, CArchive::load, CDocument::kArchiveBufferSize);
        doc.ReadHeader(archive);
    } catch (const CException&) {
        return 0;
    }
    return 0;
}
