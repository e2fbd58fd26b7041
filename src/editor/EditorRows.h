// How a row of the list editor shows its item: the check-tree control's row fields taken from one
// `TaskNode`, and the walk that adds a row for every item.
#pragma once

#include "model/TaskTree.h"
#include "treectrl/VisualTreeCtrl.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace editor {

/// The quantity as the rows and the details sheet show it: unsigned decimal ("%u").
std::u16string FormatQuantity(std::uint32_t quantity);

/// The same digits kept where the caller keeps this object: every row of a list that opens gets
/// one, and none needs a string of its own.
class QuantityDigits {
public:
    explicit QuantityDigits(std::uint32_t quantity);
    std::u16string_view view() const { return {m_digits + m_first, kMostDigits - m_first}; }

private:
    static constexpr std::size_t kMostDigits = 10; // 4294967295
    char16_t m_digits[kMostDigits];
    std::size_t m_first = kMostDigits;
};

/// The item node a row shows (kept in the row's item data).
TaskNode* NodeOfRow(const CVisualTreeCtrl& rows, const VisualNode* row);

/// Appends the row of `node` as the last sub-row of `parentRow` (of the top level when null): title,
/// importance mark, checked flag, item data, quantity and notes. The row reads the item's title,
/// notes and checked flag in place, so the node must outlive the row, and whoever changes the
/// item's title or notes shows the change with RefreshRow.
VisualNode* AddRow(CVisualTreeCtrl& rows, TaskNode& node, VisualNode* parentRow);

/// Shows the item's fields again in its row after the item was edited from `before`.
void RefreshRow(CVisualTreeCtrl& rows, VisualNode* row, const TaskItem& before, const TaskItem& item);

/// Empties the control and adds a row for every item of `tree`, in pre-order, so the rows stand in
/// the document's order. Answers the number of checked items, counted on the way.
std::size_t FillRows(CVisualTreeCtrl& rows, TaskTree& tree);

} // namespace editor
