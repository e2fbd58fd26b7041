// The item tree of one list: a hidden root whose children are the top-level items.
#pragma once

#include "model/TaskItem.h"
#include "platform/core/Tree.h"

class CArchive;

/// One node of the item tree: `item`, `parent` (the hidden root for top-level items) and the links of
/// its children.
/// `MoveChildUp`, `MoveChildDown` and `CountDescendants` come with the generic node.
using TaskNode = TreeNode<TaskItem>;

/// The item tree a list document owns. It owns every node; deleting a node deletes its subtree.
class TaskTree : public Tree<TaskItem> {
public:
    /// Appends a node holding a copy of `item` as the last child of `parent` (of the hidden root when
    /// null) and returns it. The copy's texts go into the tree's arena, beside those of the items
    /// added before it, so a list built item by item is as compact as one loaded from a file.
    TaskNode* AddItem(const TaskItem& item, TaskNode* parent = nullptr);
    /// Removes `node` from its parent's children and deletes it with all its descendants.
    void DeleteItem(TaskNode* node) { Delete(node); }

    /// Reads or writes the hidden root's node record and, below it, every item in pre-order.
    /// Reading appends each top-level item only once its whole subtree has been read, so a failure
    /// keeps the complete items before it and drops the one it interrupted. Nothing is made ahead of
    /// the data that claims it, and the walk keeps its own stack, so no file can exhaust memory or
    /// the call stack. The texts read go into the tree's own arena.
    void Serialize(CArchive& archive, int version);

    /// Where the tree keeps texts that readers put straight into its items; such a text must stay in
    /// an item of this tree.
    TextArena& Texts() { return m_texts; }

private:
    void Store(CArchive& archive) const;
    void Load(CArchive& archive, int version);

    TextArena m_texts;
};
