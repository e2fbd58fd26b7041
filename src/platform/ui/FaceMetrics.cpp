// Reading a face's cell numbers from its table bytes, and the cell-to-em rule.
#include "platform/ui/FaceMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

/// Where the numbers lie in their tables (TrueType's layout of "head" and of every "OS/2" version).
constexpr std::size_t kUnitsPerEmOffset = 18;
constexpr std::size_t kWinAscentOffset = 74;
constexpr std::size_t kWinDescentOffset = 76;
constexpr std::size_t kUint16Size = 2;
/// The range of units per em the format allows.
constexpr int kFewestUnitsPerEm = 16;
constexpr int kMostUnitsPerEm = 16384;
constexpr int kBitsPerByte = 8;

std::optional<int> ReadUint16(std::string_view table, std::size_t offset) {
    if (table.size() < offset + kUint16Size) {
        return std::nullopt;
    }
    const auto high = static_cast<unsigned char>(table[offset]);
    const auto low = static_cast<unsigned char>(table[offset + 1]);
    return (high << kBitsPerByte) | low;
}

int RoundedScale(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

int CellUnits(const FaceMetrics& face) {
    return face.winAscent + face.winDescent;
}

} // namespace

std::optional<FaceMetrics> ReadFaceMetrics(std::string_view headTable, std::string_view os2Table) {
    const std::optional<int> unitsPerEm = ReadUint16(headTable, kUnitsPerEmOffset);
    const std::optional<int> ascent = ReadUint16(os2Table, kWinAscentOffset);
    const std::optional<int> descent = ReadUint16(os2Table, kWinDescentOffset);
    if (!unitsPerEm || !ascent || !descent || *unitsPerEm < kFewestUnitsPerEm ||
        *unitsPerEm > kMostUnitsPerEm || *ascent + *descent <= 0) {
        return std::nullopt;
    }
    return FaceMetrics{*unitsPerEm, *ascent, *descent};
}

CellMetrics CellForHeight(const FaceMetrics& face, int cellHeight) {
    CellMetrics cell;
    cell.height = std::max(1, cellHeight);
    cell.emPixels = std::max(1, RoundedScale(cell.height, face.unitsPerEm, CellUnits(face)));
    cell.ascent = std::clamp(RoundedScale(cell.height, face.winAscent, CellUnits(face)), 0, cell.height);
    cell.descent = cell.height - cell.ascent;
    return cell;
}

CellMetrics CellForEm(const FaceMetrics& face, int emPixels) {
    CellMetrics cell;
    cell.emPixels = std::max(1, emPixels);
    cell.height = std::max(1, RoundedScale(cell.emPixels, CellUnits(face), face.unitsPerEm));
    cell.ascent = std::clamp(RoundedScale(cell.emPixels, face.winAscent, face.unitsPerEm), 0, cell.height);
    cell.descent = cell.height - cell.ascent;
    return cell;
}
