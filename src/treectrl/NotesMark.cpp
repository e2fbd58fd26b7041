// Placement of a row's notes mark.
#include "treectrl/NotesMark.h"

#include "treectrl/TreeCtrlMetrics.h"

namespace treectrl {

NotesPlacement PlaceNotesMark(const CRect& row, const CRect& textRect) {
    NotesPlacement placement;
    const std::int32_t roomOnLine = row.right - textRect.right - kScrollBarWidth;
    if (roomOnLine < kNotesZoneSize) {
        placement.rowBottom = row.bottom + kNotesZoneSize;
        placement.mark =
            CRect(textRect.left, row.bottom, textRect.left + kNotesZoneSize, placement.rowBottom);
    } else {
        placement.rowBottom = row.bottom;
        placement.mark =
            CRect(textRect.right, row.bottom - kNotesZoneSize, textRect.right + kNotesZoneSize, row.bottom);
    }
    return placement;
}

} // namespace treectrl
