// Opening a list as a stream of records.
#include "StreamedList.h"

#include "platform/core/Archive.h"

StreamedList::StreamedList(ListRecordReader::Texts texts, Visitor visit)
    : m_texts(texts), m_visit(std::move(visit)) {}

void StreamedList::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        // It holds no items: saving it would write an empty list over a full one.
        throw CArchiveException(ArchiveErrorCause::ReadOnly);
    }
    ReadHeader(archive);
    ListRecordReader reader(archive, version, m_texts);
    ListRecord record;
    while (reader.Next(record)) {
        m_visit(record);
    }
}
