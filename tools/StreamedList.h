// Lists read record by record as they are opened, for the commands that pass over a list once:
// nothing of the list stands in memory but the record at hand.
#pragma once

#include <functional>

#include "model/CorvinaDoc.h"
#include "model/ListRecordReader.h"

/// A list whose opening hands each record of the file, in order, to a visitor instead of building
/// the tree. It opens through `LoadList` like any list, so a file that cannot be read gets the same
/// message and answer as ever; a file of no bytes, an empty list, hands out no record. It cannot be
/// saved.
class StreamedList : public CCorvinaDoc {
public:
    using Visitor = std::function<void(const ListRecord&)>;

    StreamedList(ListRecordReader::Texts texts, Visitor visit);

    void Serialize(CArchive& archive) override;

private:
    ListRecordReader::Texts m_texts;
    Visitor m_visit;
};
