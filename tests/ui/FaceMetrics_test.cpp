// A face's cell numbers read from its table bytes, and the cell-to-em rule with hand-worked sizes.
#include "platform/ui/FaceMetrics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

/// Table bytes with a 16-bit big-endian number at `offset`, zeros elsewhere.
std::string TableWith(std::size_t size, std::initializer_list<std::pair<std::size_t, int>> numbers) {
    std::string table(size, '\0');
    for (const auto& [offset, value] : numbers) {
        table[offset] = static_cast<char>(value >> 8);
        table[offset + 1] = static_cast<char>(value & 0xFF);
    }
    return table;
}

// unitsPerEm lies at byte 18 of "head"; usWinAscent and usWinDescent at 74 and 76 of "OS/2".
const std::string kTahomaHead = TableWith(54, {{18, 2048}});
const std::string kTahomaOs2 = TableWith(96, {{74, 2049}, {76, 423}});

TEST(FaceMetrics, TheNumbersAreReadFromTheirPlacesInTheTables) {
    const auto face = ReadFaceMetrics(kTahomaHead, kTahomaOs2);
    ASSERT_TRUE(face.has_value());
    EXPECT_EQ(face->unitsPerEm, 2048);
    EXPECT_EQ(face->winAscent, 2049);
    EXPECT_EQ(face->winDescent, 423);
}

TEST(FaceMetrics, TablesTooShortOrImpossibleGiveNothing) {
    EXPECT_FALSE(ReadFaceMetrics(kTahomaHead.substr(0, 19), kTahomaOs2));
    EXPECT_FALSE(ReadFaceMetrics(kTahomaHead, kTahomaOs2.substr(0, 77)));
    EXPECT_FALSE(ReadFaceMetrics(TableWith(54, {{18, 0}}), kTahomaOs2)) << "no units per em";
    EXPECT_FALSE(ReadFaceMetrics(kTahomaHead, TableWith(96, {}))) << "a cell of no height";
}

TEST(FaceMetrics, CellHeightsGiveTheEmTheDeviceDrawsAt) {
    const FaceMetrics tahoma{2048, 2049, 423};
    struct Expected {
        int cell, em, ascent, descent;
    };
    // em = round(cell * 2048 / 2472), ascent = round(cell * 2049 / 2472).
    for (const Expected e : {Expected{13, 11, 11, 2}, Expected{16, 13, 13, 3}, Expected{18, 15, 15, 3},
                             Expected{12, 10, 10, 2}, Expected{14, 12, 12, 2}}) {
        const CellMetrics cell = CellForHeight(tahoma, e.cell);
        EXPECT_EQ(cell.emPixels, e.em) << e.cell;
        EXPECT_EQ(cell.height, e.cell);
        EXPECT_EQ(cell.ascent, e.ascent) << e.cell;
        EXPECT_EQ(cell.descent, e.descent) << e.cell;
    }
    // An 8-point em (11 pixels) has the 13-pixel cell: 11 * 2472 / 2048 = 13.3.
    const CellMetrics point = CellForEm(tahoma, 11);
    EXPECT_EQ(point.height, 13);
    EXPECT_EQ(point.ascent, 11);
    EXPECT_EQ(point.descent, 2);
}

} // namespace
