// A row's column cells in one pointer's room.
#include "treectrl/ColumnTexts.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <type_traits>

// The in-place tag shares its bit with the lowest bit of the block's address, which is clear: the
// arena aligns every block at least to a 32-bit length.
static_assert(std::endian::native == std::endian::little, "the in-place tag needs a little-endian address");
static_assert(sizeof(ColumnTexts) == sizeof(char16_t*));
static_assert(std::is_trivially_destructible_v<ColumnTexts>, "the arena frees the cells");

namespace {

constexpr char16_t kInPlaceTag = 1;
/// Units that carry a cell's length before its own units.
constexpr std::size_t kLengthUnits = 2;
constexpr unsigned kUnitBits = 16;
constexpr std::size_t kMostCells = std::numeric_limits<char16_t>::max();

std::size_t LengthAt(const char16_t* cell) {
    return static_cast<std::size_t>(cell[0]) | static_cast<std::size_t>(cell[1]) << kUnitBits;
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

bool ColumnTexts::InPlace() const {
    return (m_units[0] & kInPlaceTag) != 0;
}

const char16_t* ColumnTexts::Block() const {
    const char16_t* block = nullptr;
    if (!InPlace()) {
        std::memcpy(&block, m_units, sizeof(block));
    }
    return block;
}

std::size_t ColumnTexts::size() const {
    if (InPlace()) {
        return 1;
    }
    const char16_t* const block = Block();
    return block != nullptr ? block[0] : 0;
}

std::u16string_view ColumnTexts::operator[](std::size_t index) const {
    if (InPlace()) {
        return index == 0 ? std::u16string_view(m_units + 1, m_units[0] >> 1) : std::u16string_view();
    }
    const char16_t* const block = Block();
    if (block == nullptr || index >= block[0]) {
        return {};
    }
    const char16_t* cell = block + 1;
    for (; index > 0; --index) {
        cell += kLengthUnits + LengthAt(cell);
    }
    return std::u16string_view(cell + kLengthUnits, LengthAt(cell));
}

void ColumnTexts::Set(TextArena& arena, std::size_t index, std::u16string_view text) {
    if (index >= kMostCells) {
        throw std::length_error("a column index beyond 65534");
    }
    const std::size_t count = std::max(size(), index + 1);
    // The new cells are made before the old ones go: `text` may be a view of one of them.
    if (count == 1 && text.size() <= kInPlaceUnits) {
        // Put together in a register and stored at once: every row of a list that opens gets its
        // quantity here, and unit-by-unit stores read back as one would stall.
        std::uint64_t packed = text.size() << 1 | kInPlaceTag;
        for (std::size_t unit = 0; unit < text.size(); ++unit) {
            packed |= std::uint64_t{text[unit]} << (kUnitBits * (unit + 1));
        }
        static_assert(sizeof(packed) == sizeof(m_units));
        std::memcpy(m_units, &packed, sizeof(packed));
        return;
    }
    std::u16string cells(1, static_cast<char16_t>(count));
    for (std::size_t cell = 0; cell < count; ++cell) {
        AppendCell(cells, cell == index ? text : (*this)[cell]);
    }
    auto* const block = reinterpret_cast<char16_t*>(arena.Allocate(cells.size() * sizeof(char16_t)));
    std::copy(cells.begin(), cells.end(), block);
    std::memcpy(m_units, &block, sizeof(block));
}
