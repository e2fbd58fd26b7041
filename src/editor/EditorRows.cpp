// Row binding of the list editor: one row per item, its fields taken from the item.
#include "editor/EditorRows.h"

#include <vector>

namespace editor {

namespace {

/// The control's one text column holds the quantity.
constexpr unsigned kQuantityColumn = 0;

} // namespace

QuantityDigits::QuantityDigits(std::uint32_t quantity) {
    constexpr std::uint32_t kBase = 10;
    do {
        m_digits[--m_first] = static_cast<char16_t>(u'0' + quantity % kBase);
        quantity /= kBase;
    } while (quantity != 0);
}

std::u16string FormatQuantity(std::uint32_t quantity) {
    return std::u16string(QuantityDigits(quantity).view());
}

TaskNode* NodeOfRow(const CVisualTreeCtrl& rows, const VisualNode* row) {
    return row != nullptr ? reinterpret_cast<TaskNode*>(rows.GetItemData(row)) : nullptr;
}

VisualNode* AddRow(CVisualTreeCtrl& rows, TaskNode& node, VisualNode* parentRow) {
    TaskItem& item = node.item;
    // The row reads the item's own title and notes: a list holds its texts once, however long it is.
    const QuantityDigits quantity(item.quantity);
    CVisualTreeCtrl::RowContent content;
    content.text = &item.title;
    content.notes = &item.notes;
    content.image = item.importance;
    content.selectedImage = item.importance;
    content.checkedFlag = &item.checked;
    content.itemData = reinterpret_cast<UINT_PTR>(&node);
    content.firstColumnText = quantity.view();
    return rows.InsertItem(content, parentRow);
}

void RefreshRow(CVisualTreeCtrl& rows, VisualNode* row, const TaskItem& before, const TaskItem& item) {
    // A new title or notes lays every row out again (the row's height may change); one that did not
    // change needs nothing, which keeps an edit of a long list quick. The row reads the item in
    // place, so only the item as it was before tells what changed.
    if (before.title != item.title) {
        rows.SetItemText(row, &item.title);
    }
    rows.SetItemImage(row, item.importance, item.importance);
    rows.SetItemColumnText(row, kQuantityColumn, QuantityDigits(item.quantity).view());
    if (before.notes != item.notes) {
        rows.SetItemNotes(row, &item.notes);
    }
}

std::size_t FillRows(CVisualTreeCtrl& rows, TaskTree& tree) {
    rows.DeleteAllItems();
    rows.ReserveRows(tree.Count());
    // The row last added at each depth is the parent of the next item one level deeper.
    std::vector<VisualNode*> rowAtDepth;
    std::size_t checked = 0;
    tree.Walk([&](TaskNode& node, std::size_t depth) {
        VisualNode* parentRow = depth > 0 ? rowAtDepth[depth - 1] : nullptr;
        rowAtDepth.resize(depth + 1);
        rowAtDepth[depth] = AddRow(rows, node, parentRow);
        checked += node.item.checked != 0;
    });
    return checked;
}

} // namespace editor
