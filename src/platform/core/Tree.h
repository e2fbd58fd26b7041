// The one generic item tree: a hidden root held by value, nodes made in the tree's own pool, and the
// operations the list model and the check-tree control share (append, delete, move, count, walk).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/core/NodePool.h"

/// One node of a `Tree`: the item by value, the parent link and the ordered children.
/// The children are a vector of raw pointers: walking a million nodes stays a tight loop over
/// contiguous memory, a leaf costs no allocation, and deleting or moving is a scan of the siblings.
/// Nodes are made and destroyed by their tree, in its pool; a node's address never changes.
template <class Item> struct TreeNode {
    using ChildList = std::vector<TreeNode*>;

    /// What this node holds.
    Item item{};
    /// The node whose children list holds this one; null only for a tree's hidden root.
    TreeNode* parent = nullptr;
    /// The sub-nodes, first to last; this order is the display, file and export order.
    ChildList children;

    TreeNode() = default;
    explicit TreeNode(Item value, TreeNode* parentNode = nullptr)
        : item(std::move(value)), parent(parentNode) {}
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;
    /// The tree destroys a node's children before the node.
    ~TreeNode() = default;

    /// Where `child` sits among the children; `children.size()` when it is not one of them.
    std::size_t IndexOfChild(const TreeNode* child) const {
        const auto found = std::find(children.begin(), children.end(), child);
        return static_cast<std::size_t>(found - children.begin());
    }
    /// True when `child` is one of this node's direct children.
    bool HasChild(const TreeNode* child) const { return IndexOfChild(child) < children.size(); }

    /// Swaps `child` with its previous sibling; nothing happens when it is the first child.
    void MoveChildUp(TreeNode* child) {
        const std::size_t index = IndexOfChild(child);
        if (index == 0 || index >= children.size()) {
            return;
        }
        std::swap(children[index - 1], children[index]);
        CheckInvariants();
    }

    /// Swaps `child` with its next sibling; nothing happens when it is the last child.
    void MoveChildDown(TreeNode* child) {
        const std::size_t index = IndexOfChild(child);
        if (index + 1 >= children.size()) {
            return;
        }
        std::swap(children[index], children[index + 1]);
        CheckInvariants();
    }

    /// The number of nodes below this one at all depths.
    std::size_t CountDescendants() const {
        std::size_t count = 0;
        std::vector<const TreeNode*> pending{this};
        while (!pending.empty()) {
            const TreeNode* node = pending.back();
            pending.pop_back();
            count += node->children.size();
            pending.insert(pending.end(), node->children.begin(), node->children.end());
        }
        return count;
    }

    /// Checks, in debug builds, that every child of this node points back at it exactly once.
    void CheckInvariants() const {
#ifndef NDEBUG
        for (const TreeNode* child : children) {
            assert(child != nullptr && child->parent == this);
        }
        ChildList sorted = children;
        std::sort(sorted.begin(), sorted.end());
        assert(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
#endif
    }
};

/// Visits every node below `start` in pre-order (a node, then its children first to last), with the
/// depth of each (0 for the children of `start`). When `visit` returns bool, false skips that node's
/// children; a void `visit` sees them all. Iterative, so depth is limited only by memory.
template <class Node, class Visit> void WalkPreOrder(Node& start, Visit&& visit) {
    struct Frame {
        Node* node;
        std::size_t next;
    };
    std::vector<Frame> stack{{&start, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.node->children.size()) {
            stack.pop_back();
            continue;
        }
        Node* child = top.node->children[top.next++];
        const std::size_t depth = stack.size() - 1;
        bool descend = true;
        if constexpr (std::is_same_v<decltype(visit(*child, depth)), bool>) {
            descend = visit(*child, depth);
        } else {
            visit(*child, depth);
        }
        if (descend && !child->children.empty()) {
            stack.push_back({child, 0});
        }
    }
}

/// A tree with a hidden root held by value; the items a user sees are the root's descendants.
/// The tree owns every node and makes them all in its own pool; a node lives until `Delete` removes
/// it or the tree is destroyed, and keeps its address all that time.
template <class Item> class Tree {
public:
    using Node = TreeNode<Item>;

    /// The hidden root: never shown, counted or exported; its parent is null.
    Node root;

    Tree() = default;
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    ~Tree() { Clear(); }

    /// Creates a node holding `item` as the last child of `parent` (of the hidden root when null).
    Node* Append(Item item, Node* parent = nullptr) {
        Node* const owner = parent ? parent : &root;
        Node* const node = m_pool.Create(std::move(item), owner);
        try {
            owner->children.push_back(node);
        } catch (...) {
            m_pool.Destroy(node);
            throw;
        }
        ++m_count;
        CheckAppended(*owner, node);
        return node;
    }

    /// Creates a node holding `item` that names `parent` as its parent but is in no children list
    /// yet. Readers build a subtree apart this way and attach it only when it is complete; until
    /// then it is theirs to attach (`Nest`, `Attach`) or to destroy (`DestroyDetached`).
    Node* MakeDetached(Item item, Node* parent) { return m_pool.Create(std::move(item), parent); }

    /// Appends the detached `child` to the children of its parent, itself still detached.
    void Nest(Node* child) {
        child->parent->children.push_back(child);
        CheckAppended(*child->parent, child);
    }

    /// Appends the detached subtree `top` as the last child of its parent, a node of this tree,
    /// and counts its nodes.
    Node* Attach(Node* top) {
        Node* const owner = top->parent;
        owner->children.push_back(top);
        m_count += 1 + top->CountDescendants();
        CheckAppended(*owner, top);
        return top;
    }

    /// Destroys a detached subtree: `top` and everything nested below it.
    void DestroyDetached(Node* top) { DestroySubtree(top); }

    /// Removes `node` from its parent's children and deletes it with all its descendants.
    void Delete(Node* node) {
        assert(node != nullptr && node != &root && node->parent != nullptr);
        Node* const parent = node->parent;
        const std::size_t index = parent->IndexOfChild(node);
        assert(index < parent->children.size());
        m_count -= 1 + node->CountDescendants();
        DestroySubtree(node);
        parent->children.erase(parent->children.begin() + static_cast<std::ptrdiff_t>(index));
        parent->CheckInvariants();
    }

    /// Deletes every item; the hidden root and its item stay.
    void Clear() {
        while (!root.children.empty()) {
            DestroySubtree(root.children.back());
            root.children.pop_back();
        }
        m_count = 0;
    }

    /// The number of items: every node below the hidden root. Kept up to date by every change, so
    /// asking is free even for a million items.
    std::size_t Count() const {
        assert(m_count == root.CountDescendants());
        return m_count;
    }

    /// Visits every item in pre-order with its level (0 for top-level items); see `WalkPreOrder`.
    template <class Visit> void Walk(Visit&& visit) { WalkPreOrder(root, std::forward<Visit>(visit)); }
    template <class Visit> void Walk(Visit&& visit) const { WalkPreOrder(root, std::forward<Visit>(visit)); }

private:
    /// Checks, in debug builds, that `child` now ends `owner`'s children and points back at it.
    /// Appending leaves the other children as they were, so this is all that can have gone wrong,
    /// and building a list of any size stays linear in debug builds too.
    static void CheckAppended([[maybe_unused]] const Node& owner, [[maybe_unused]] const Node* child) {
        assert(!owner.children.empty() && owner.children.back() == child && child->parent == &owner);
    }

    /// Destroys `top` and its descendants, each node after its children, last child first. Walks
    /// down and back up the parent links, so it needs no memory of its own and no depth of stack:
    /// a chain a million levels deep goes as easily as a flat list. `top`'s own parent is left as
    /// it was.
    void DestroySubtree(Node* top) {
        Node* node = top;
        for (;;) {
            if (!node->children.empty()) {
                node = node->children.back();
                continue;
            }
            if (node == top) {
                m_pool.Destroy(node);
                return;
            }
            Node* const parent = node->parent;
            parent->children.pop_back();
            m_pool.Destroy(node);
            node = parent;
        }
    }

    /// Where every node but the hidden root lives.
    NodePool<Node> m_pool;
    /// The number of nodes below the hidden root.
    std::size_t m_count = 0;
};
