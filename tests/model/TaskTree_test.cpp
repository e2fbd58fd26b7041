// The item tree of a list: defaults, adding, moving, deleting, counting and copying items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/TaskTree.h"

namespace {

TaskItem Named(const std::u16string& title) {
    TaskItem item;
    item.title = title;
    return item;
}

std::vector<std::u16string> Titles(const TaskNode& parent) {
    std::vector<std::u16string> titles;
    for (const TaskNode* child : parent.Children()) {
        titles.push_back(child->item.title.str());
    }
    return titles;
}

TEST(TaskItem, DefaultsAndRuntimeClass) {
    const TaskItem item;
    EXPECT_TRUE(item.title.empty());
    EXPECT_EQ(item.quantity, 1u);
    EXPECT_EQ(item.checked, 0);
    EXPECT_EQ(item.importance, TaskItem::kNormalImportance);
    EXPECT_TRUE(item.notes.empty());
    EXPECT_STREQ(item.GetRuntimeClass()->className, "TaskItem");
    EXPECT_EQ(item.GetRuntimeClass()->schema, 1);
}

TEST(TaskItem, CopyTakesAllFiveFields) {
    TaskItem original;
    original.title = u"Milk";
    original.quantity = 3;
    original.checked = 1;
    original.importance = TaskItem::kLowImportance;
    original.notes = u"semi-skimmed\r\nnot whole";
    const TaskItem copy = original;
    EXPECT_EQ(copy, original);
    TaskItem assigned;
    assigned = original;
    EXPECT_EQ(assigned, original);
    const TaskItem& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned, original);
}

TEST(TaskTree, NewTreeRootHoldsDefaults) {
    TaskTree tree;
    EXPECT_EQ(tree.root.CountDescendants(), 0u);
    EXPECT_EQ(tree.root.item, TaskItem());
    EXPECT_EQ(tree.root.parent, nullptr);
}

TEST(TaskTree, AddItemCopiesAndAppends) {
    TaskTree tree;
    TaskNode* bread = tree.AddItem(Named(u"Bread"), nullptr);
    tree.AddItem(Named(u"Milk"), nullptr);
    TaskItem eggs = Named(u"Eggs");
    eggs.notes = u"free range";
    eggs.checked = 1;
    TaskNode* added = tree.AddItem(eggs, nullptr);
    EXPECT_EQ(Titles(tree.root), (std::vector<std::u16string>{u"Bread", u"Milk", u"Eggs"}));
    EXPECT_EQ(added->item, eggs);
    EXPECT_EQ(added->parent, &tree.root);
    tree.AddItem(Named(u"Rye"), bread);
    tree.AddItem(Named(u"Wheat"), bread);
    EXPECT_EQ(Titles(*bread), (std::vector<std::u16string>{u"Rye", u"Wheat"}));
}

TEST(TaskTree, MovingEggsUpKeepsMilksSubItems) {
    TaskTree tree;
    TaskNode* bread = tree.AddItem(Named(u"Bread"));
    TaskNode* milk = tree.AddItem(Named(u"Milk"));
    tree.AddItem(Named(u"Skimmed"), milk);
    TaskNode* eggs = tree.AddItem(Named(u"Eggs"));
    tree.root.MoveChildUp(bread);
    tree.root.MoveChildDown(eggs);
    EXPECT_EQ(Titles(tree.root), (std::vector<std::u16string>{u"Bread", u"Milk", u"Eggs"}));
    tree.root.MoveChildUp(eggs);
    EXPECT_EQ(Titles(tree.root), (std::vector<std::u16string>{u"Bread", u"Eggs", u"Milk"}));
    EXPECT_EQ(Titles(*milk), (std::vector<std::u16string>{u"Skimmed"}));
}

TEST(TaskTree, DeletingABranchLowersTheCountByItsSize) {
    TaskTree tree;
    TaskNode* first = tree.AddItem(Named(u"First"));
    TaskNode* doomed = tree.AddItem(Named(u"Doomed"));
    TaskNode* child = tree.AddItem(Named(u"Child"), doomed);
    tree.AddItem(Named(u"Grandchild"), child);
    tree.AddItem(Named(u"Other child"), doomed);
    tree.AddItem(Named(u"Last"));
    ASSERT_EQ(tree.root.CountDescendants(), 6u);
    tree.DeleteItem(doomed);
    EXPECT_EQ(tree.root.CountDescendants(), 2u);
    EXPECT_EQ(Titles(tree.root), (std::vector<std::u16string>{u"First", u"Last"}));
    EXPECT_EQ(first->parent, &tree.root);
}

TEST(TaskTree, PreOrderWalk) {
    TaskTree tree;
    TaskNode* bread = tree.AddItem(Named(u"Bread"));
    tree.AddItem(Named(u"Rye"), bread);
    tree.AddItem(Named(u"Wheat"), bread);
    tree.AddItem(Named(u"Milk"));
    std::vector<std::u16string> walked;
    tree.Walk([&](const TaskNode& node, std::size_t) { walked.push_back(node.item.title.str()); });
    EXPECT_EQ(tree.root.CountDescendants(), 4u);
    EXPECT_EQ(walked, (std::vector<std::u16string>{u"Bread", u"Rye", u"Wheat", u"Milk"}));
}

} // namespace
