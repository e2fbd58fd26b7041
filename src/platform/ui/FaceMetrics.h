// The vertical measures a font face's own tables give, and the device's rule that turns a
// character-cell height into the em size the glyphs are drawn at.
#pragma once

#include <optional>
#include <string_view>

/// The few numbers of a TrueType face that fix its cell: the head table's unitsPerEm and the OS/2
/// table's usWinAscent and usWinDescent, all in font units.
struct FaceMetrics {
    int unitsPerEm = 0;
    int winAscent = 0;
    int winDescent = 0;
};

/// Reads the face's numbers from the raw bytes of its "head" and "OS/2" tables (big-endian, as in
/// the font file). Nothing when a table is too short or holds numbers no face can have.
std::optional<FaceMetrics> ReadFaceMetrics(std::string_view headTable, std::string_view os2Table);

/// A font's size on the device, in whole pixels.
struct CellMetrics {
    int emPixels = 0; ///< the size the glyphs are drawn at
    int height = 0;   ///< the character cell: one line of text
    int ascent = 0;   ///< baseline to the top of the cell
    int descent = 0;  ///< baseline to the bottom of the cell
};

/// The font whose cell is `cellHeight` pixels: the em is the height times unitsPerEm over the
/// Windows ascent plus descent, rounded to a whole pixel; the line keeps the height asked for, split
/// into ascent and descent in the face's proportion.
CellMetrics CellForHeight(const FaceMetrics& face, int cellHeight);
/// The font whose em is `emPixels` (a point size asks for the em): the cell is the em scaled back up
/// by the same proportion.
CellMetrics CellForEm(const FaceMetrics& face, int emPixels);
