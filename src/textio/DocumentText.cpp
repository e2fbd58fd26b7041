// The list document's text export and import: the tree written in pre-order with depths, and the
// tree rebuilt from depths.
#include "textio/DocumentText.h"

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "model/CorvinaDoc.h"
#include "textio/TextFile.h"

void ExportText(const CCorvinaDoc& doc, TextFile& file) {
    doc.tree.Walk([&file](const TaskNode& node, std::size_t depth) {
        file.WriteItem(static_cast<std::uint32_t>(depth), node.item);
    });
}

void ImportText(CCorvinaDoc& doc, TextFile& file) {
    TaskTree& tree = doc.tree;
    // The ancestors of the next item, innermost last; null stands for the hidden root.
    std::vector<TaskNode*> ancestors{nullptr};
    std::uint32_t depth = 0;
    TaskNode* reading = nullptr;
    try {
        // Each record is read straight into a node of its own, which joins the tree once it is whole.
        for (;;) {
            reading = tree.MakeDetached(nullptr);
            if (!file.ReadItem(depth, reading->item, tree.Texts())) {
                break;
            }
            // Counted in 64 bits, so the largest depth is the deepest level and not a wrap to zero
            // that would empty the stack; the hidden root always stays.
            const std::uint64_t wanted = std::uint64_t{depth} + 1;
            while (ancestors.size() > wanted && ancestors.size() > 1) {
                ancestors.pop_back();
            }
            reading->parent = ancestors.back() != nullptr ? ancestors.back() : &tree.root;
            ancestors.push_back(tree.Attach(std::exchange(reading, nullptr), 1));
        }
    } catch (const std::bad_alloc&) {
        file.Stop(FileErrorCause::OutOfMemory); // the items read so far stay
    }
    if (reading != nullptr) {
        tree.DestroyDetached(reading);
    }
}
