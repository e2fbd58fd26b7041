// One item as the text writers take it, whether it comes from a tree or straight from a list file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/ListRecordReader.h"
#include "model/TaskTree.h"

/// An item's fields, its level (0 for a top-level item) and how many children follow it.
struct ItemView {
    std::size_t depth = 0;
    std::size_t children = 0;
    std::u16string_view title;
    std::u16string_view notes;
    std::uint32_t quantity = TaskItem::kDefaultQuantity;
    std::int32_t importance = TaskItem::kNormalImportance;
    bool checked = false;
};

/// An item record as a view; the record's depth counts the hidden root, the view's does not.
inline ItemView ViewOf(const ListRecord& record) {
    return {record.depth - 1, record.children,   record.title,       record.notes,
            record.quantity,  record.importance, record.checked != 0};
}

/// Visits every item of `tree` in pre-order as a view.
template <class Visit> void WalkItems(const TaskTree& tree, Visit&& visit) {
    tree.Walk([&visit](const TaskNode& node, std::size_t depth) {
        const TaskItem& item = node.item;
        visit(ItemView{depth, node.ChildCount(), item.title.view(), item.notes.view(), item.quantity,
                       item.importance, item.checked != 0});
    });
}
