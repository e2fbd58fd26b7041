// Reading and writing the node records of a list file, without recursion.
#include "model/TaskTree.h"

#include <cstdint>
#include <vector>

#include "model/BufferedRecord.h"
#include "model/ListFileFormat.h"
#include "platform/core/Archive.h"

namespace {

/// A node being read: detached from its parent until its whole subtree is in.
struct PendingNode {
    TaskNode* node; // the hidden root, which the tree holds by value, or a detached node
    std::uint32_t childrenLeft;
};

/// The children a node record claims: a negative count reads as none.
std::uint32_t ChildrenClaimed(std::int32_t count) {
    return count <= 0 ? 0 : static_cast<std::uint32_t>(count);
}

} // namespace

TaskNode* TaskTree::AddItem(const TaskItem& item, TaskNode* parent) {
    TaskItem stored;
    stored.title.AssignInArena(m_texts, item.title);
    stored.notes.AssignInArena(m_texts, item.notes);
    stored.quantity = item.quantity;
    stored.importance = item.importance;
    stored.checked = item.checked;
    return Append(std::move(stored), parent);
}

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
        archive.WriteU32(static_cast<std::uint32_t>(node.ChildCount()));
    };
    writeRecordHead(root);
    Walk([&](const TaskNode& node, std::size_t) { writeRecordHead(node); });
}

void TaskTree::Load(CArchive& archive, int version) {
    // A claimed child count makes nothing ahead: each child is read as it comes, costing some bytes
    // of data, so a count no file can back ends at the end of the data like any other damage.
    root.item.Load(archive, version, m_texts);
    const std::int32_t topLevel = archive.ReadI32();
    std::vector<PendingNode> pending;
    // The nodes made for the top-level item being read, counted so it joins the tree at once.
    std::size_t itemNodes = 0;
    pending.push_back({&root, ChildrenClaimed(topLevel)});
    try {
        while (!pending.empty()) {
            PendingNode& top = pending.back();
            if (top.childrenLeft == 0) {
                // Below the top level the parent is still detached; a top-level item joins the tree.
                // The node leaves `pending` only once it is linked, so a failure cannot lose it.
                if (top.node != &root) {
                    if (pending.size() == 2) {
                        Attach(top.node, itemNodes);
                        itemNodes = 0;
                    } else {
                        Nest(top.node);
                    }
                }
                pending.pop_back();
                continue;
            }
            --top.childrenLeft;
            TaskNode* const parent = top.node;
            pending.push_back({nullptr, 0});
            TaskNode* const child = MakeDetached(parent);
            ++itemNodes;
            pending.back().node = child;
            std::int32_t claimed = 0;
            if (!ReadBufferedRecord(archive, version, child->item, claimed, m_texts)) {
                child->item.Load(archive, version, m_texts);
                claimed = archive.ReadI32();
            }
            const std::uint32_t grandchildren = ChildrenClaimed(claimed);
            if (grandchildren == 0 && pending.size() > 2) {
                Nest(child); // a leaf below the top level is complete at once
                pending.pop_back();
                continue;
            }
            pending.back().childrenLeft = grandchildren;
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
