// A row's column cells held as one text.
#include "treectrl/ColumnTexts.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

/// Units that carry a cell's length before its own units.
constexpr std::size_t kLengthUnits = 2;
constexpr unsigned kUnitBits = 16;

std::size_t LengthAt(std::u16string_view cells, std::size_t at) {
    return static_cast<std::size_t>(cells[at]) | static_cast<std::size_t>(cells[at + 1]) << kUnitBits;
}

void AppendCell(std::u16string& cells, std::u16string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("a column text longer than 4294967295 units");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    cells.push_back(static_cast<char16_t>(length & 0xFFFFu));
    cells.push_back(static_cast<char16_t>(length >> kUnitBits));
    cells.append(text);
}

} // namespace

std::size_t ColumnTexts::size() const {
    const std::u16string_view cells = m_cells.view();
    std::size_t count = 0;
    for (std::size_t at = 0; at < cells.size(); at += kLengthUnits + LengthAt(cells, at)) {
        ++count;
    }
    return count;
}

std::u16string_view ColumnTexts::operator[](std::size_t index) const {
    const std::u16string_view cells = m_cells.view();
    std::size_t at = 0;
    for (; at < cells.size() && index > 0; --index) {
        at += kLengthUnits + LengthAt(cells, at);
    }
    if (at >= cells.size()) {
        return {};
    }
    return cells.substr(at + kLengthUnits, LengthAt(cells, at));
}

void ColumnTexts::Set(std::size_t index, std::u16string_view text) {
    std::u16string cells;
    const std::size_t count = std::max(size(), index + 1);
    for (std::size_t cell = 0; cell < count; ++cell) {
        AppendCell(cells, cell == index ? text : (*this)[cell]);
    }
    m_cells = cells;
}
