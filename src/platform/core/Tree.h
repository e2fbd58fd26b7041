// The one generic item tree: a hidden root held by value, nodes made in the tree's own pool, and the
// operations the list model and the check-tree control share (append, delete, move, count, walk).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <optional>
#include <type_traits>
#include <utility>

#include "platform/core/NodePool.h"

/// One node of a `Tree`: the item by value, the parent link and the links of the ordered children.
/// The children are a chain (first, last, next): a leaf costs nothing beyond its node, appending is
/// constant time, and a million nodes never regrow an array. Finding a node's place among its
/// siblings is a scan of them, as deleting or moving one was with an array. Nodes are made and
/// destroyed by their tree, in its pool; a node's address never changes. The links are the tree's
/// to change.
template <class Node, class Visit> void WalkPreOrder(Node& start, Visit&& visit);

template <class Item> struct TreeNode {
    /// What this node holds.
    Item item{};
    /// The node whose children this one is among; null only for a tree's hidden root.
    TreeNode* parent = nullptr;
    /// The first and last sub-nodes, null for a leaf; the order is the display, file and export order.
    TreeNode* firstChild = nullptr;
    TreeNode* lastChild = nullptr;
    /// The next node among the parent's children; null for the last.
    TreeNode* nextSibling = nullptr;

    TreeNode() = default;
    explicit TreeNode(TreeNode* parentNode) : parent(parentNode) {}
    explicit TreeNode(Item value, TreeNode* parentNode = nullptr)
        : item(std::move(value)), parent(parentNode) {}
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;
    /// The tree destroys a node's children before the node.
    ~TreeNode() = default;

    /// The children first to last, for range-for loops.
    class ChildRange {
    public:
        class Iterator {
        public:
            explicit Iterator(TreeNode* node) : m_node(node) {}
            TreeNode* operator*() const { return m_node; }
            Iterator& operator++() {
                m_node = m_node->nextSibling;
                return *this;
            }
            bool operator==(const Iterator& other) const = default;

        private:
            TreeNode* m_node;
        };
        explicit ChildRange(TreeNode* first) : m_first(first) {}
        Iterator begin() const { return Iterator(m_first); }
        Iterator end() const { return Iterator(nullptr); }

    private:
        TreeNode* m_first;
    };
    ChildRange Children() const { return ChildRange(firstChild); }

    bool HasChildren() const { return firstChild != nullptr; }
    /// The number of direct children: a walk along them.
    std::size_t ChildCount() const {
        std::size_t count = 0;
        for (const TreeNode* child = firstChild; child != nullptr; child = child->nextSibling) {
            ++count;
        }
        return count;
    }
    /// The child at `index` (0 for the first), a walk along the children; null past the last.
    TreeNode* ChildAt(std::size_t index) const {
        TreeNode* child = firstChild;
        for (; child != nullptr && index > 0; --index) {
            child = child->nextSibling;
        }
        return child;
    }
    /// Where `child` sits among the children; `ChildCount()` when it is not one of them.
    std::size_t IndexOfChild(const TreeNode* child) const {
        std::size_t index = 0;
        for (const TreeNode* sibling = firstChild; sibling != nullptr && sibling != child;
             sibling = sibling->nextSibling) {
            ++index;
        }
        return index;
    }
    /// The child just before `child`; null when `child` is the first or not a child at all.
    TreeNode* ChildBefore(const TreeNode* child) const {
        TreeNode* before = nullptr;
        for (TreeNode* sibling = firstChild; sibling != nullptr; sibling = sibling->nextSibling) {
            if (sibling == child) {
                return before;
            }
            before = sibling;
        }
        return nullptr;
    }
    /// True when `child` is one of this node's direct children (a reader's detached node made for
    /// this parent counts too, until it is destroyed).
    bool HasChild(const TreeNode* child) const { return child != nullptr && child->parent == this; }

    /// Swaps `child` with its previous sibling; nothing happens when it is the first child.
    void MoveChildUp(TreeNode* child) {
        // One walk finds the two children before `child`: the one to swap and the one before it.
        TreeNode* twoBefore = nullptr;
        TreeNode* before = nullptr;
        for (TreeNode* sibling = firstChild; sibling != nullptr; sibling = sibling->nextSibling) {
            if (sibling == child) {
                if (before != nullptr) {
                    SwapWithNext(twoBefore, before);
                }
                return;
            }
            twoBefore = before;
            before = sibling;
        }
    }

    /// Swaps `child` with its next sibling; nothing happens when it is the last child.
    void MoveChildDown(TreeNode* child) {
        if (!HasChild(child) || child->nextSibling == nullptr) {
            return;
        }
        SwapWithNext(ChildBefore(child), child);
    }

    /// Swaps `child`, which has a next sibling, with it; `before` is the child before it (null for
    /// the first).
    void SwapWithNext(TreeNode* before, TreeNode* child) {
        TreeNode* const after = child->nextSibling;
        (before != nullptr ? before->nextSibling : firstChild) = after;
        child->nextSibling = after->nextSibling;
        after->nextSibling = child;
        if (lastChild == after) {
            lastChild = child;
        }
        CheckInvariants();
    }

    /// Links the detached `child` (whose parent is this node) after the last child.
    void LinkLast(TreeNode* child) {
        child->nextSibling = nullptr;
        (lastChild != nullptr ? lastChild->nextSibling : firstChild) = child;
        lastChild = child;
    }

    /// Links the detached `child` (whose parent is this node) right after `before`, one of the
    /// children, or first when `before` is null.
    void LinkAfter(TreeNode* before, TreeNode* child) {
        TreeNode*& next = before != nullptr ? before->nextSibling : firstChild;
        child->nextSibling = next;
        next = child;
        if (lastChild == before) {
            lastChild = child;
        }
    }

    /// Unlinks `child` from the children; it keeps its parent link and its own children.
    void Unlink(TreeNode* child) {
        TreeNode* const before = ChildBefore(child);
        (before != nullptr ? before->nextSibling : firstChild) = child->nextSibling;
        if (lastChild == child) {
            lastChild = before;
        }
        child->nextSibling = nullptr;
    }

    /// The number of nodes below this one at all depths.
    std::size_t CountDescendants() const {
        std::size_t count = 0;
        WalkPreOrder(*this, [&count](const TreeNode&, std::size_t) { ++count; });
        return count;
    }

    /// Checks, in debug builds, that every child of this node points back at it, and that the chain
    /// ends at the last child.
    void CheckInvariants() const {
#ifndef NDEBUG
        const TreeNode* last = nullptr;
        for (const TreeNode* child = firstChild; child != nullptr; child = child->nextSibling) {
            assert(child->parent == this);
            last = child;
        }
        assert(last == lastChild);
#endif
    }
};

/// Visits every node below `start` in pre-order (a node, then its children first to last), with the
/// depth of each (0 for the children of `start`). When `visit` returns bool, false skips that node's
/// children; a void `visit` sees them all. Walks down and back up the links, so it needs no memory
/// and no depth of stack: depth is limited only by memory.
template <class Node, class Visit> void WalkPreOrder(Node& start, Visit&& visit) {
    Node* node = start.firstChild;
    std::size_t depth = 0;
    while (node != nullptr) {
        bool descend = true;
        if constexpr (std::is_same_v<decltype(visit(*node, depth)), bool>) {
            descend = visit(*node, depth);
        } else {
            visit(*node, depth);
        }
        if (descend && node->firstChild != nullptr) {
            node = node->firstChild;
            ++depth;
            continue;
        }
        while (node->nextSibling == nullptr) {
            node = node->parent;
            if (node == &start) {
                return;
            }
            --depth;
        }
        node = node->nextSibling;
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
        owner->LinkLast(node);
        ++m_count;
        CheckAppended(*owner, node);
        return node;
    }

    /// Creates a node holding `item` that names `parent` as its parent but is in no children list
    /// yet. Readers build a subtree apart this way and attach it only when it is complete; until
    /// then it is theirs to attach (`Nest`, `Attach`) or to destroy (`DestroyDetached`).
    Node* MakeDetached(Item item, Node* parent) { return m_pool.Create(std::move(item), parent); }
    /// `MakeDetached` with a default item, made in place for a reader to fill.
    Node* MakeDetached(Node* parent) { return m_pool.Create(parent); }

    /// Appends the detached `child` to the children of its parent, itself still detached.
    void Nest(Node* child) {
        child->parent->LinkLast(child);
        CheckAppended(*child->parent, child);
    }

    /// Appends the detached subtree `top` as the last child of its parent, a node of this tree,
    /// and counts its nodes; a reader that counted them as it made them says how many there are.
    Node* Attach(Node* top, std::optional<std::size_t> nodes = std::nullopt) {
        Node* const owner = top->parent;
        owner->LinkLast(top);
        assert(!nodes || *nodes == 1 + top->CountDescendants());
        m_count += nodes ? *nodes : 1 + top->CountDescendants();
        CheckAppended(*owner, top);
        return top;
    }

    /// Destroys a detached subtree: `top` and everything nested below it.
    void DestroyDetached(Node* top) { DestroySubtree(top); }

    /// Makes room for `count` more nodes at once; see `NodePool::Reserve`.
    void Reserve(std::size_t count) { m_pool.Reserve(count); }

    /// Removes `node` from its parent's children and deletes it with all its descendants.
    void Delete(Node* node) {
        assert(node != nullptr && node != &root && node->parent != nullptr);
        Node* const parent = node->parent;
        assert(parent->HasChild(node));
        m_count -= 1 + node->CountDescendants();
        parent->Unlink(node);
        DestroySubtree(node);
        parent->CheckInvariants();
    }

    /// Deletes every node whose item `doomed` answers true for, with its subtree (whose items are
    /// not asked). One walk over the nodes kept, unlinking each doomed one where the walk stands, so
    /// pruning a list of a million items is linear where deleting them one by one is not.
    template <class Doomed> void DeleteWhere(Doomed&& doomed) {
        DeleteChildrenWhere(root, doomed);
        // The walk looks at a node's children only after visiting it, so they are pruned by then.
        WalkPreOrder(root, [&](Node& node, std::size_t) { DeleteChildrenWhere(node, doomed); });
    }

    /// Takes `node` with its descendants out of the tree without destroying them, so that `Reattach`
    /// can put them back as they were; until then they are the caller's to reattach or to destroy
    /// (`DestroyDetached`). `node` keeps its parent link. Answers the number of nodes taken out.
    std::size_t Detach(Node* node) {
        assert(node != nullptr && node != &root && node->parent != nullptr);
        assert(node->parent->HasChild(node));
        const std::size_t nodes = 1 + node->CountDescendants();
        m_count -= nodes;
        node->parent->Unlink(node);
        node->parent->CheckInvariants();
        return nodes;
    }

    /// Puts back the subtree `top` that `Detach` took out (`nodes` nodes), right after `before`, a
    /// child of `top`'s parent, or first among its children when `before` is null.
    void Reattach(Node* top, Node* before, std::size_t nodes) {
        Node* const owner = top->parent;
        assert(before == nullptr || owner->HasChild(before));
        owner->LinkAfter(before, top);
        m_count += nodes;
        owner->CheckInvariants();
    }

    /// Deletes every item; the hidden root and its item stay. Items that need no destructor go all
    /// at once with their pool, and with them any detached nodes not destroyed yet.
    void Clear() {
        if constexpr (std::is_trivially_destructible_v<Node>) {
            root.firstChild = nullptr;
            m_pool.Clear();
        }
        while (root.firstChild != nullptr) {
            Node* const first = root.firstChild;
            root.firstChild = first->nextSibling;
            DestroySubtree(first);
        }
        root.lastChild = nullptr;
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
        assert(owner.lastChild == child && child->nextSibling == nullptr && child->parent == &owner);
    }

    /// Deletes the children of `parent` that `doomed` picks, each with its subtree.
    template <class Doomed> void DeleteChildrenWhere(Node& parent, Doomed& doomed) {
        Node* before = nullptr;
        for (Node* child = parent.firstChild; child != nullptr;) {
            Node* const next = child->nextSibling;
            if (!doomed(static_cast<const Item&>(child->item))) {
                before = child;
                child = next;
                continue;
            }
            (before != nullptr ? before->nextSibling : parent.firstChild) = next;
            if (parent.lastChild == child) {
                parent.lastChild = before;
            }
            child->nextSibling = nullptr;
            m_count -= 1 + child->CountDescendants();
            DestroySubtree(child);
            child = next;
        }
        parent.CheckInvariants();
    }

    /// Destroys `top` and its descendants, each node after its children. Walks down the first
    /// links and back up the parent links, so it needs no memory of its own and no depth of stack:
    /// a chain a million levels deep goes as easily as a flat list. `top`'s own parent and siblings
    /// are left as they were.
    void DestroySubtree(Node* top) {
        Node* node = top;
        for (;;) {
            if (node->firstChild != nullptr) {
                node = node->firstChild;
                continue;
            }
            if (node == top) {
                m_pool.Destroy(node);
                return;
            }
            Node* const parent = node->parent;
            parent->firstChild = node->nextSibling;
            m_pool.Destroy(node);
            node = parent;
        }
    }

    /// Where every node but the hidden root lives.
    NodePool<Node> m_pool;
    /// The number of nodes below the hidden root.
    std::size_t m_count = 0;
};
