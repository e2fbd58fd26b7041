// Fuzzes loading a whole list file, and checks that whatever loads saves and loads back unchanged,
// and that reading and writing it record by record, with no tree, loads and saves exactly the same.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "model/CorvinaDoc.h"
#include "model/ListRecordReader.h"
#include "model/ListRecordWriter.h"
#include "platform/core/Archive.h"

namespace {

/// A list copied record by record as it loads, into `output`.
class StreamedCopy : public CCorvinaDoc {
public:
    explicit StreamedCopy(CFile& output) : m_writer(output) {}

    void Serialize(CArchive& archive) override {
        ReadHeader(archive);
        ListRecordReader reader(archive, version, ListRecordReader::Texts::Skip);
        ListRecord record;
        while (reader.Next(record)) {
            m_writer.Write(record, record.checked, record.children);
            m_items += record.depth > 0;
            m_rootWritten = true;
        }
    }

    void Finish() {
        if (!m_rootWritten) {
            m_writer.Write(ListRecord{}, 0, 0); // a file of no bytes: the empty list
        }
        m_writer.Finish(m_items);
    }

private:
    ListRecordWriter m_writer;
    std::uint32_t m_items = 0;
    bool m_rootWritten = false;
};

std::string BytesOf(const MemoryFile& file) {
    std::string bytes;
    char block[4096];
    for (off_t at = 0;; at += static_cast<off_t>(sizeof(block))) {
        const ssize_t got = ::pread(file.Descriptor(), block, sizeof(block), at);
        if (got <= 0) {
            return bytes;
        }
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

std::vector<const TaskItem*> ItemsInOrder(const CCorvinaDoc& doc) {
    std::vector<const TaskItem*> items{&doc.tree.root.item};
    doc.tree.Walk([&](const TaskNode& node, std::size_t) { items.push_back(&node.item); });
    return items;
}

std::vector<std::size_t> ShapeInOrder(const CCorvinaDoc& doc) {
    std::vector<std::size_t> shape{doc.tree.root.ChildCount()};
    doc.tree.Walk([&](const TaskNode& node, std::size_t) { shape.push_back(node.ChildCount()); });
    return shape;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilenceErrorReports();
    const MemoryFile input(data, size);
    CCorvinaDoc doc;
    const bool loaded = doc.OnOpenDocument(input.Path());
    const MemoryFile streamed;
    {
        CFile file(streamed.Descriptor(), u"streamed", false);
        StreamedCopy copy(file);
        if (copy.OnOpenDocument(input.Path()) != loaded) {
            std::abort(); // the records read exactly the lists the tree reads
        }
        if (loaded) {
            copy.Finish();
        }
    }
    if (!loaded) {
        return 0;
    }
    const MemoryFile output;
    {
        CFile file(output.Descriptor(), u"saved", false);
        CArchive archive(&file, CArchive::store, CDocument::kArchiveBufferSize);
        doc.Serialize(archive);
        archive.Close();
    }
    if (BytesOf(streamed) != BytesOf(output)) {
        std::abort(); // the records write exactly what saving the tree writes
    }
    CCorvinaDoc reloaded;
    if (!reloaded.OnOpenDocument(output.Path())) {
        std::abort(); // a list that loaded must save into a file that loads
    }
    const auto before = ItemsInOrder(doc);
    const auto after = ItemsInOrder(reloaded);
    if (before.size() != after.size() || ShapeInOrder(doc) != ShapeInOrder(reloaded)) {
        std::abort();
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        // Version-2 lists have no notes; everything else must survive unchanged.
        if (!(*before[i] == *after[i])) {
            std::abort();
        }
    }
    return 0;
}
