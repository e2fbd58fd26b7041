// The texts of a row's column cells in one pointer's room: the editor gives every row a quantity,
// mostly a digit or two, so a row holds such a cell in place and any other cells in one block.
#pragma once

#include <cstddef>
#include <string_view>

/// The cells of one row, grown on demand: setting cell k gives the row k + 1 cells, those never set
/// empty. A row with one cell of at most three units keeps it in place; any other cells live in one
/// heap block: their count, then each cell as its length (two units, low half first) and its units.
class ColumnTexts {
public:
    ColumnTexts() = default;
    ColumnTexts(ColumnTexts&& other) noexcept;
    ColumnTexts& operator=(ColumnTexts&& other) noexcept;
    ColumnTexts(const ColumnTexts&) = delete;
    ColumnTexts& operator=(const ColumnTexts&) = delete;
    ~ColumnTexts() { Release(); }

    /// The number of cells: one past the highest ever set.
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    /// The text of cell `index`; empty past the last cell.
    std::u16string_view operator[](std::size_t index) const;
    /// Replaces cell `index`, adding empty cells before it as needed. Throws std::length_error for
    /// an index or a text beyond what a block can count.
    void Set(std::size_t index, std::u16string_view text);

private:
    /// Units a cell held in place may have.
    static constexpr std::size_t kInPlaceUnits = 3;

    bool InPlace() const;
    const char16_t* Block() const;
    void Release();

    /// All zero: no cells. Held in place: the first unit is the cell's length shifted up by one with
    /// the low bit set, the others its units. Otherwise the bytes are the block's address, whose low
    /// bit is clear.
    alignas(char16_t*) char16_t m_units[1 + kInPlaceUnits] = {};
};
