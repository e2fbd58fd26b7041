// The generic tree: appending, deleting, moving, counting and walking, deep trees included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Tree.h"

namespace {

using Node = TreeNode<std::string>;

std::vector<std::string> TitlesOf(const Node& parent) {
    std::vector<std::string> titles;
    for (const Node* child : parent.Children()) {
        titles.push_back(child->item);
    }
    return titles;
}

std::vector<std::string> PreOrder(const Tree<std::string>& tree) {
    std::vector<std::string> walked;
    tree.Walk(
        [&](const Node& node, std::size_t depth) { walked.push_back(std::string(depth, '>') + node.item); });
    return walked;
}

// Bread (Rye, Wheat), Milk.
struct Groceries : ::testing::Test {
    Tree<std::string> tree;
    Node* bread = tree.Append("Bread");
    Node* rye = tree.Append("Rye", bread);
    Node* wheat = tree.Append("Wheat", bread);
    Node* milk = tree.Append("Milk");
};

TEST(Tree, NewTreeHasOnlyTheHiddenRoot) {
    Tree<std::string> tree;
    EXPECT_FALSE(tree.root.HasChildren());
    EXPECT_EQ(tree.root.parent, nullptr);
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_TRUE(PreOrder(tree).empty());
}

TEST_F(Groceries, AppendGoesLastAndLinksTheParent) {
    Node* eggs = tree.Append("Eggs");
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Bread", "Milk", "Eggs"}));
    EXPECT_EQ(eggs->parent, &tree.root);
    Node* spelt = tree.Append("Spelt", bread);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Rye", "Wheat", "Spelt"}));
    EXPECT_EQ(spelt->parent, bread);
}

TEST_F(Groceries, CountsAndWalksInPreOrder) {
    EXPECT_EQ(tree.Count(), 4u);
    EXPECT_EQ(bread->CountDescendants(), 2u);
    EXPECT_EQ(PreOrder(tree), (std::vector<std::string>{"Bread", ">Rye", ">Wheat", "Milk"}));
}

TEST_F(Groceries, WalkCanSkipChildren) {
    std::vector<std::string> walked;
    tree.Walk([&](const Node& node, std::size_t) {
        walked.push_back(node.item);
        return node.item != "Bread";
    });
    EXPECT_EQ(walked, (std::vector<std::string>{"Bread", "Milk"}));
}

TEST_F(Groceries, MovesStopAtTheEnds) {
    tree.root.MoveChildUp(bread);
    tree.root.MoveChildDown(milk);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Bread", "Milk"}));
    Node* eggs = tree.Append("Eggs");
    tree.root.MoveChildUp(eggs);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Bread", "Eggs", "Milk"}));
    tree.root.MoveChildDown(bread);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Eggs", "Bread", "Milk"}));
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Rye", "Wheat"}));
}

TEST_F(Groceries, MovingTheSecondToLastDownMakesItLast) {
    Node* eggs = tree.Append("Eggs");
    tree.root.MoveChildDown(milk);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Bread", "Eggs", "Milk"}));
    tree.root.MoveChildDown(milk);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Bread", "Eggs", "Milk"}));
    bread->MoveChildDown(rye);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Wheat", "Rye"}));
    EXPECT_EQ(eggs->parent, &tree.root);
}

// The chain keeps its end: a node appended after a move or a deletion of the last child comes
// last, and a parent that lost all its children takes new ones from the start.
TEST_F(Groceries, AppendAfterTheLastChildMovedOrWentComesLast) {
    tree.root.MoveChildUp(milk);
    tree.Append("Eggs");
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Milk", "Bread", "Eggs"}));
    tree.Delete(tree.root.lastChild);
    tree.Append("Tea");
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Milk", "Bread", "Tea"}));
    tree.Delete(wheat);
    tree.Append("Spelt", bread);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Rye", "Spelt"}));
    tree.Delete(rye);
    tree.Delete(bread->firstChild);
    EXPECT_FALSE(bread->HasChildren());
    tree.Append("Oat", bread);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Oat"}));
    EXPECT_EQ(tree.Count(), 4u);
}

TEST_F(Groceries, MovingANodeThatIsNotAChildChangesNothing) {
    bread->MoveChildUp(milk);
    bread->MoveChildDown(milk);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Rye", "Wheat"}));
}

TEST_F(Groceries, DeleteRemovesTheWholeBranchAndKeepsSiblingOrder) {
    tree.Append("Crumbs", rye);
    Node* eggs = tree.Append("Eggs");
    ASSERT_EQ(tree.Count(), 6u);
    tree.Delete(bread);
    EXPECT_EQ(tree.Count(), 2u);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Milk", "Eggs"}));
    tree.Delete(eggs);
    EXPECT_EQ(TitlesOf(tree.root), (std::vector<std::string>{"Milk"}));
}

TEST_F(Groceries, DeleteWhereTakesEachPickedBranchAndKeepsTheChainsWhole) {
    tree.Append("Crumbs", rye);
    tree.Append("Eggs");
    tree.DeleteWhere(
        [](const std::string& item) { return item == "Rye" || item == "Eggs" || item == "Crumbs"; });
    EXPECT_EQ(PreOrder(tree), (std::vector<std::string>{"Bread", ">Wheat", "Milk"}));
    EXPECT_EQ(tree.Count(), 3u);
    // The ends of the chains moved with the deletions: appending still goes last.
    tree.Append("Spelt", bread);
    tree.Append("Tea");
    EXPECT_EQ(PreOrder(tree), (std::vector<std::string>{"Bread", ">Wheat", ">Spelt", "Milk", "Tea"}));
    tree.DeleteWhere([](const std::string&) { return true; });
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.root.lastChild, nullptr);
}

TEST(Tree, DeleteWhereMatchesDeletingThePickedBranchesOneByOne) {
    // Items are numbers; multiples of 3 are picked. The plain way: find each picked item that has
    // no picked ancestor and delete it with `Delete`.
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Tree<std::string> pruned;
        Tree<std::string> plain;
        std::vector<Node*> prunedNodes{nullptr};
        std::vector<Node*> plainNodes{nullptr};
        std::uint32_t state = seed;
        for (int i = 0; i < 300; ++i) {
            state = state * 1103515245u + 12345u;
            const std::size_t parent = (state >> 8) % prunedNodes.size();
            prunedNodes.push_back(pruned.Append(std::to_string(i), prunedNodes[parent]));
            plainNodes.push_back(plain.Append(std::to_string(i), plainNodes[parent]));
        }
        const auto picked = [](const std::string& item) { return std::stoi(item) % 3 == 0; };
        pruned.DeleteWhere(picked);
        std::vector<Node*> doomed;
        plain.Walk([&](Node& node, std::size_t) {
            if (picked(node.item)) {
                doomed.push_back(&node);
                return false;
            }
            return true;
        });
        for (Node* node : doomed) {
            plain.Delete(node);
        }
        EXPECT_EQ(PreOrder(pruned), PreOrder(plain)) << seed;
        EXPECT_EQ(pruned.Count(), plain.Count()) << seed;
    }
}

TEST_F(Groceries, ASubtreeBuiltApartIsCountedOnlyOnceAttached) {
    Node* butter = tree.MakeDetached("Butter", milk);
    Node* salted = tree.MakeDetached("Salted", butter);
    tree.Nest(salted);
    EXPECT_EQ(tree.Count(), 4u);
    EXPECT_EQ(TitlesOf(*milk), (std::vector<std::string>{}));
    EXPECT_EQ(tree.Attach(butter), butter);
    EXPECT_EQ(butter->parent, milk);
    EXPECT_EQ(butter->ChildAt(0), salted);
    EXPECT_EQ(salted->parent, butter);
    EXPECT_EQ(tree.Count(), 6u);
    tree.Delete(butter);
    EXPECT_EQ(tree.Count(), 4u);
    // A part left detached (a read that failed) is destroyed on its own; the sanitizer build sees
    // that nothing of it leaks.
    Node* half = tree.MakeDetached("Half", bread);
    tree.Nest(tree.MakeDetached("Read", half));
    tree.DestroyDetached(half);
    EXPECT_EQ(TitlesOf(*bread), (std::vector<std::string>{"Rye", "Wheat"}));
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0u);
}

TEST(Tree, NodesKeepTheirAddressesAndDeletedOnesAreReused) {
    Tree<std::string> tree;
    std::vector<TreeNode<std::string>*> made;
    for (int i = 0; i < 5000; ++i) { // several of the pool's chunks
        made.push_back(tree.Append(std::to_string(i)));
    }
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(made[i]->item, std::to_string(i));
        ASSERT_EQ(tree.root.ChildAt(i), made[i]);
    }
    tree.Delete(made[10]);
    EXPECT_EQ(tree.Append("again"), made[10]);
    EXPECT_EQ(tree.root.lastChild->item, "again");
}

// Room reserved for a whole list is taken at once: the slots still free in the newest chunk (the
// first, one page) are used first and not lost, and the rest lie side by side in one chunk.
TEST(Tree, ReservedRoomLosesNoSlotAndHoldsTheRestSideBySide) {
    using IntNode = TreeNode<int>;
    constexpr std::uintptr_t kPageBytes = 4096;
    Tree<int> tree;
    const auto firstPage = reinterpret_cast<std::uintptr_t>(tree.Append(0));
    tree.Reserve(1000);
    std::vector<std::uintptr_t> made;
    for (int i = 1; i <= 1000; ++i) {
        made.push_back(reinterpret_cast<std::uintptr_t>(tree.Append(i)));
    }
    const std::size_t leftInFirstPage = kPageBytes / sizeof(IntNode) - 1;
    for (std::size_t i = 0; i < made.size(); ++i) {
        if (i < leftInFirstPage) {
            EXPECT_LT(made[i] - firstPage, kPageBytes) << i;
        } else if (i > leftInFirstPage) {
            EXPECT_EQ(made[i] - made[i - 1], sizeof(IntNode)) << i;
        }
    }
    std::sort(made.begin(), made.end());
    EXPECT_EQ(std::adjacent_find(made.begin(), made.end()), made.end());
    EXPECT_EQ(tree.Count(), 1001u);
}

// Items without a destructor go all at once with their pool; the tree then fills again as new, its
// nodes side by side from a fresh first chunk, and walks only what it holds now.
TEST(Tree, ClearedAtOnceTheTreeFillsAgainAsNew) {
    Tree<int> tree;
    TreeNode<int>* tip = nullptr;
    for (int i = 0; i < 5000; ++i) {
        tip = tree.Append(i, i % 3 == 0 ? nullptr : tip);
    }
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0u);
    EXPECT_EQ(tree.root.firstChild, nullptr);
    EXPECT_EQ(tree.root.lastChild, nullptr);

    TreeNode<int>* const top = tree.Append(1);
    TreeNode<int>* const child = tree.Append(2, top);
    tree.Append(3);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(child) - reinterpret_cast<std::uintptr_t>(top),
              sizeof(TreeNode<int>));
    std::vector<int> seen;
    tree.Walk([&](const TreeNode<int>& node, std::size_t) { seen.push_back(node.item); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(tree.Count(), 3u);
}

TEST(Tree, DeepChainsNeitherOverflowTheStackNorLeak) {
    constexpr int kDepth = 200000;
    Tree<int> tree;
    TreeNode<int>* tip = nullptr;
    for (int level = 0; level < kDepth; ++level) {
        tip = tree.Append(level, tip);
    }
    EXPECT_EQ(tree.Count(), static_cast<std::size_t>(kDepth));
    std::size_t deepest = 0;
    tree.Walk([&](const TreeNode<int>&, std::size_t depth) { deepest = std::max(deepest, depth); });
    EXPECT_EQ(deepest, static_cast<std::size_t>(kDepth - 1));
    tree.Delete(tree.root.firstChild);
    EXPECT_EQ(tree.Count(), 0u);
}

} // namespace
