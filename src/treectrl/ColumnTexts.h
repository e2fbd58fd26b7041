// The texts of a row's column cells in one pointer's room: the editor gives every row a quantity,
// mostly a digit or two, so a row holds such a cell in place and any other cells in one block.
#pragma once

#include "platform/core/CompactText.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

/// The cells of one row, grown on demand: setting cell k gives the row k + 1 cells, those never set
/// empty. A row with one cell of at most three units keeps it in place; any other cells live in one
/// block of the owner's text arena: their count, then each cell as its length (two units, low half
/// first) and its units. The arena frees every block at once, so the cells need no destructor and a
/// long list of rows goes without a walk over them; a block replaced stays until the arena goes.
class ColumnTexts {
public:
    ColumnTexts() = default;
    /// Takes the other's cells and leaves it without any.
    ColumnTexts(ColumnTexts&& other) noexcept { Take(other); }
    ColumnTexts& operator=(ColumnTexts&& other) noexcept {
        if (this != &other) {
            Take(other);
        }
        return *this;
    }
    ColumnTexts(const ColumnTexts&) = delete;
    ColumnTexts& operator=(const ColumnTexts&) = delete;
    ~ColumnTexts() = default;

    /// The number of cells: one past the highest ever set.
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    /// The text of cell `index`; empty past the last cell.
    std::u16string_view operator[](std::size_t index) const;
    /// Replaces cell `index`, adding empty cells before it as needed, in a block of `arena` when
    /// they do not fit in place. Throws std::length_error for an index or a text beyond what a
    /// block can count.
    void Set(TextArena& arena, std::size_t index, std::u16string_view text);

private:
    /// Units a cell held in place may have.
    static constexpr std::size_t kInPlaceUnits = 3;

    bool InPlace() const;
    const char16_t* Block() const;
    void Take(ColumnTexts& other) {
        std::copy(std::begin(other.m_units), std::end(other.m_units), m_units);
        std::fill(std::begin(other.m_units), std::end(other.m_units), char16_t{0});
    }

    /// All zero: no cells. Held in place: the first unit is the cell's length shifted up by one with
    /// the low bit set, the others its units. Otherwise the bytes are the block's address, whose low
    /// bit is clear.
    alignas(char16_t*) char16_t m_units[1 + kInPlaceUnits] = {};
};
