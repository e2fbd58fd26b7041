// The one generic item tree: a hidden root held by value, nodes that own their children, and the
// operations the list model and the check-tree control share (append, delete, move, count, walk).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

/// One node of a `Tree`: the item by value, the parent link and the ordered children.
/// The children are a vector of owning raw pointers: walking a million nodes stays a tight loop over
/// contiguous memory, a leaf costs no allocation, and deleting or moving is a scan of the siblings.
template <class Item>
struct TreeNode {
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
    /// Deletes the whole subtree below this node, deepest nodes first, without recursion.
    ~TreeNode() { DeleteAllChildren(); }

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

    /// Appends an already built, detached subtree as the last child and returns it. On a node that
    /// is part of a `Tree` use `Tree::Attach`, which keeps the tree's count.
    TreeNode* AdoptChild(std::unique_ptr<TreeNode> child) {
        assert(child && (child->parent == nullptr || child->parent == this));
        child->parent = this;
        children.push_back(child.get());
        return child.release();
    }

    /// Deletes every child with its subtree, first to last, and leaves the children list empty.
    /// Iterative, so a degenerate chain a million levels deep cannot exhaust the stack.
    void DeleteAllChildren() {
        std::vector<TreeNode*> doomed;
        doomed.swap(children);
        while (!doomed.empty()) {
            TreeNode* node = doomed.back();
            doomed.pop_back();
            doomed.insert(doomed.end(), node->children.begin(), node->children.end());
            node->children.clear();
            delete node;
        }
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
template <class Node, class Visit>
void WalkPreOrder(Node& start, Visit&& visit) {
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
/// The tree owns every node; a node lives until `Delete` removes it or the tree is destroyed.
template <class Item>
class Tree {
public:
    using Node = TreeNode<Item>;

    /// The hidden root: never shown, counted or exported; its parent is null.
    Node root;

    Tree() = default;
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    /// Creates a node holding `item` as the last child of `parent` (of the hidden root when null).
    Node* Append(Item item, Node* parent = nullptr) {
        Node* const owner = parent ? parent : &root;
        Node* const node = new Node(std::move(item), owner);
        owner->children.push_back(node);
        ++count_;
        CheckAppended(*owner, node);
        return node;
    }

    /// Attaches a detached, fully built subtree as the last child of `parent` (of the hidden root
    /// when null) and returns its top. Readers build subtrees apart and attach each when complete.
    Node* Attach(std::unique_ptr<Node> subtree, Node* parent = nullptr) {
        Node* const owner = parent ? parent : &root;
        count_ += 1 + subtree->CountDescendants();
        Node* const attached = owner->AdoptChild(std::move(subtree));
        CheckAppended(*owner, attached);
        return attached;
    }

    /// Removes `node` from its parent's children and deletes it with all its descendants.
    void Delete(Node* node) {
        assert(node != nullptr && node != &root && node->parent != nullptr);
        Node* const parent = node->parent;
        const std::size_t index = parent->IndexOfChild(node);
        assert(index < parent->children.size());
        count_ -= 1 + node->CountDescendants();
        delete node;
        parent->children.erase(parent->children.begin() + static_cast<std::ptrdiff_t>(index));
        parent->CheckInvariants();
    }

    /// Deletes every item; the hidden root and its item stay.
    void Clear() {
        root.DeleteAllChildren();
        count_ = 0;
    }

    /// The number of items: every node below the hidden root. Kept up to date by every change, so
    /// asking is free even for a million items.
    std::size_t Count() const {
        assert(count_ == root.CountDescendants());
        return count_;
    }

    /// Visits every item in pre-order with its level (0 for top-level items); see `WalkPreOrder`.
    template <class Visit>
    void Walk(Visit&& visit) {
        WalkPreOrder(root, std::forward<Visit>(visit));
    }
    template <class Visit>
    void Walk(Visit&& visit) const {
        WalkPreOrder(root, std::forward<Visit>(visit));
    }

private:
    /// Checks, in debug builds, that `child` now ends `owner`'s children and points back at it.
    /// Appending leaves the other children as they were, so this is all that can have gone wrong,
    /// and building a list of any size stays linear in debug builds too.
    static void CheckAppended([[maybe_unused]] const Node& owner, [[maybe_unused]] const Node* child) {
        assert(!owner.children.empty() && owner.children.back() == child && child->parent == &owner);
    }

    /// The number of nodes below the hidden root.
    std::size_t count_ = 0;
};
