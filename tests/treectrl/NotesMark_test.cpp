// Where the notes mark goes: on the title's last line when there is room, else on its own strip.
#include "treectrl/NotesMark.h"

#include <gtest/gtest.h>

using treectrl::PlaceNotesMark;

namespace {

const CRect kRow(0, 1, 237, 16); // a one-line top-level row of the editor's control

CRect TitleEndingAt(int right) {
    return CRect(100, 1, right, 15);
}

} // namespace

TEST(NotesMarkPlacement, TwentyPixelsFromTheRowsEdgeIsTooLittleRoom) {
    // 20 - 13 for the scroll bar leaves 7: the mark moves to a strip the row grows by.
    const auto placed = PlaceNotesMark(kRow, TitleEndingAt(237 - 20));
    EXPECT_EQ(placed.rowBottom, 16 + 14);
    EXPECT_EQ(placed.mark, CRect(100, 16, 114, 30));
}

TEST(NotesMarkPlacement, TwentySevenPixelsFromTheEdgeIsJustEnough) {
    const auto placed = PlaceNotesMark(kRow, TitleEndingAt(237 - 27));
    EXPECT_EQ(placed.rowBottom, 16);
    EXPECT_EQ(placed.mark, CRect(210, 2, 224, 16));
}

TEST(NotesMarkPlacement, TwentySixPixelsIsOneTooFew) {
    EXPECT_EQ(PlaceNotesMark(kRow, TitleEndingAt(237 - 26)).rowBottom, 30);
}

TEST(NotesMarkPlacement, MarkSitsAtTheBottomOfATallRow) {
    const CRect row(0, 100, 237, 141); // three lines
    const auto placed = PlaceNotesMark(row, CRect(100, 100, 150, 140));
    EXPECT_EQ(placed.mark, CRect(150, 127, 164, 141));
}

TEST(NotesMarkPlacement, TheMarkIsFourteenSquareOnTheRowsBottom) {
    EXPECT_EQ(treectrl::NotesMarkRect(150, 141), CRect(150, 127, 164, 141));
    EXPECT_EQ(treectrl::NotesMarkRect(-3, 0), CRect(-3, -14, 11, 0));
}
