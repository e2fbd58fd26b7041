// The texts of a row's column cells in one pointer: the editor gives every row a short quantity, so
// a row pays one small block for its cells instead of a container and a block per cell.
#pragma once

#include "platform/core/CompactText.h"

#include <cstddef>
#include <string_view>

/// The cells of one row, grown on demand: setting cell k gives the row k + 1 cells, those never set
/// empty. Held as one text: each cell as its length (two units, low half first) and its units.
class ColumnTexts {
public:
    /// The number of cells: one past the highest ever set.
    std::size_t size() const;
    bool empty() const { return m_cells.empty(); }
    /// The text of cell `index`; empty past the last cell.
    std::u16string_view operator[](std::size_t index) const;
    /// Replaces cell `index`, adding empty cells before it as needed.
    void Set(std::size_t index, std::u16string_view text);

private:
    /// The cells one after another; empty while no cell was set.
    CompactText m_cells;
};
