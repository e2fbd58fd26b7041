// Reading and writing the node records of a list file, without recursion.
#include "model/TaskTree.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"

namespace {

/// A node being read: owned until its whole subtree is in, then handed to its parent.
struct PendingNode {
    std::unique_ptr<TaskNode> owned;  // null for the hidden root, which the tree holds by value
    TaskNode* node;
    std::uint32_t childrenLeft;
    bool reserved;  // its children list was sized up front, so its count is part of `announced`
};

/// A node's child count as read: how many children follow, and whether room was made for them.
struct ChildCount {
    std::uint32_t count;
    bool reserved;
};

}  // namespace

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
            return {0, false};  // a negative count reads as no children
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
    pending.push_back({nullptr, &root, topLevel.count, topLevel.reserved});
    while (!pending.empty()) {
        PendingNode& top = pending.back();
        if (top.childrenLeft == 0) {
            std::unique_ptr<TaskNode> complete = std::move(top.owned);
            pending.pop_back();
            if (!complete) {
                continue;  // the hidden root is done
            }
            // Below the top level the parent is still detached; a top-level item joins the tree.
            if (pending.size() == 1) {
                Attach(std::move(complete));
            } else {
                pending.back().node->AdoptChild(std::move(complete));
            }
            continue;
        }
        --top.childrenLeft;
        if (top.reserved) {
            --announced;
        }
        auto child = std::make_unique<TaskNode>();
        child->parent = top.node;
        child->item.Load(archive, version);
        TaskNode* const raw = child.get();
        const ChildCount grandchildren = readChildCount(*raw);
        if (grandchildren.count == 0 && pending.size() > 1) {
            top.node->AdoptChild(std::move(child));  // a leaf is complete at once
            continue;
        }
        pending.push_back({std::move(child), raw, grandchildren.count, grandchildren.reserved});
    }
}
