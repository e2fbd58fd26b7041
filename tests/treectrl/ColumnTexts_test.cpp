// A row's column cells: one short cell kept in place, any others in a block, grown on demand.
#include "treectrl/ColumnTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(ColumnTexts, CellsGrowOnDemandAndKeepEachOther) {
    TextArena arena;
    ColumnTexts cells;
    EXPECT_TRUE(cells.empty());
    EXPECT_EQ(cells[0], u"");

    cells.Set(arena, 0, u"12");
    EXPECT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], u"12");
    EXPECT_EQ(cells[1], u"");

    cells.Set(arena, 2, u"kg");
    EXPECT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], u"12");
    EXPECT_EQ(cells[1], u"");
    EXPECT_EQ(cells[2], u"kg");

    cells.Set(arena, 1, u"a longer cell");
    cells.Set(arena, 0, u"4294967295");
    EXPECT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0], u"4294967295");
    EXPECT_EQ(cells[1], u"a longer cell");
    EXPECT_EQ(cells[2], u"kg");
}

TEST(ColumnTexts, OneCellMovesBetweenItsPlaceAndABlock) {
    TextArena arena;
    ColumnTexts cells;
    cells.Set(arena, 0, u"100");
    cells.Set(arena, 0, u"1000");
    EXPECT_EQ(cells[0], u"1000");
    cells.Set(arena, 0, u"");
    EXPECT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0], u"");
    cells.Set(arena, 0, u"7");
    EXPECT_EQ(cells[0], u"7");

    // A cell may be set from its own text, in place or in a block.
    cells.Set(arena, 0, cells[0]);
    EXPECT_EQ(cells[0], u"7");
    cells.Set(arena, 1, u"x");
    cells.Set(arena, 1, cells[1]);
    EXPECT_EQ(cells[1], u"x");

    ColumnTexts moved(std::move(cells));
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0], u"7");
    EXPECT_TRUE(cells.empty());
}

TEST(ColumnTexts, ACellLongerThanSixteenBitsOfLengthKeepsItsCells) {
    const std::u16string longCell(70000, u'w');
    TextArena arena;
    ColumnTexts cells;
    cells.Set(arena, 1, longCell);
    cells.Set(arena, 2, u"after");
    EXPECT_EQ(cells[1], longCell);
    EXPECT_EQ(cells[2], u"after");
}
