// Reading and writing the node records of a list file, without recursion.
#include "model/TaskTree.h"

#include <cstdint>
#include <vector>

#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"

namespace {

/// A node being read: detached from its parent until its whole subtree is in.
struct PendingNode {
    TaskNode* node; // the hidden root, which the tree holds by value, or a detached node
    std::uint32_t childrenLeft;
    bool reserved; // its children list was sized up front, so its count is part of `announced`
};

/// A node's child count as read: how many children follow, and whether room was made for them.
struct ChildCount {
    std::uint32_t count;
    bool reserved;
};

} // namespace

void TaskTree::Serialize(CArchive& archive, int version) {
    if (archive.IsStoring()) {
        Store(archive);
    } else {
        Load(archive, version);
    }
}

void TaskTree::Store(CArchive& archive) const {
    const auto writeRecordHead = [&archive](const TaskNode& node) {
        node.item.Store(archive);
        archive.WriteU32(static_cast<std::uint32_t>(node.children.size()));
    };
    writeRecordHead(root);
    Walk([&](const TaskNode& node, std::size_t) { writeRecordHead(node); });
}

void TaskTree::Load(CArchive& archive, int version) {
    const std::uint64_t shortestRecord = ListFileFormat::ShortestNodeRecord(version);
    // Children announced by reserved nodes but not yet read: every one of them still needs at least
    // `shortestRecord` bytes, so together they must fit in what remains. A count that cannot fit
    // reserves nothing; its children are read as they come, each costing at least `shortestRecord`
    // bytes of data, until the data runs out. So no file makes the reader allocate ahead of its
    // data, and the top-level items completed before the end are kept.
    std::uint64_t announced = 0;
    const auto readChildCount = [&](TaskNode& node) -> ChildCount {
        const std::int32_t count = archive.ReadI32();
        if (count <= 0) {
            return {0, false}; // a negative count reads as no children
        }
        const auto claimed = static_cast<std::uint64_t>(count);
        if ((announced + claimed) * shortestRecord > archive.RemainingBytes()) {
            return {static_cast<std::uint32_t>(count), false};
        }
        announced += claimed;
        node.children.reserve(node.children.size() + claimed);
        return {static_cast<std::uint32_t>(count), true};
    };

    root.item.Load(archive, version);
    std::vector<PendingNode> pending;
    const ChildCount topLevel = readChildCount(root);
    pending.push_back({&root, topLevel.count, topLevel.reserved});
    try {
        while (!pending.empty()) {
            PendingNode& top = pending.back();
            if (top.childrenLeft == 0) {
                // Below the top level the parent is still detached; a top-level item joins the tree.
                // The node leaves `pending` only once it is linked, so a failure cannot lose it.
                if (top.node != &root) {
                    if (pending.size() == 2) {
                        Attach(top.node);
                    } else {
                        Nest(top.node);
                    }
                }
                pending.pop_back();
                continue;
            }
            --top.childrenLeft;
            if (top.reserved) {
                --announced;
            }
            TaskNode* const parent = top.node;
            pending.push_back({nullptr, 0, false});
            TaskNode* const child = MakeDetached(TaskItem(), parent);
            pending.back().node = child;
            child->item.Load(archive, version);
            const ChildCount grandchildren = readChildCount(*child);
            if (grandchildren.count == 0 && pending.size() > 2) {
                Nest(child); // a leaf below the top level is complete at once
                pending.pop_back();
                continue;
            }
            pending.back() = {child, grandchildren.count, grandchildren.reserved};
        }
    } catch (...) {
        // Each pending node heads a part of the interrupted item that is linked to nothing above.
        for (const PendingNode& part : pending) {
            if (part.node != nullptr && part.node != &root) {
                DestroyDetached(part.node);
            }
        }
        throw;
    }
}
