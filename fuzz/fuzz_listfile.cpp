// Fuzzes loading a whole list file, and checks that whatever loads saves and loads back unchanged.
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Archive.h"

namespace {

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
    if (!doc.OnOpenDocument(input.Path())) {
        return 0;
    }
    const MemoryFile output;
    {
        CFile file(output.Descriptor(), u"saved", false);
        CArchive archive(&file, CArchive::store, CDocument::kArchiveBufferSize);
        doc.Serialize(archive);
        archive.Close();
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
