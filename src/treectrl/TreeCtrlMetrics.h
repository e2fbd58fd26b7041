// The check-tree control's fixed numbers: row geometry, colours, picture numbers, timers and the
// codes it sends to its owner.
#pragma once

#include "platform/ui/Geometry.h"

#include <cstdint>

namespace treectrl {

// --- Row geometry, in pixels from the row's left edge -------------------------------------------

/// Width of the check box column at the left of every row.
inline constexpr int kCheckColumnWidth = 16;
/// The check box picture sits one pixel in from the row's top-left corner.
inline constexpr int kCheckPictureInset = 1;
/// Side of the square the pen must hit to toggle the check box.
inline constexpr int kCheckZoneSize = 14;
/// Horizontal step from one text column to the next.
inline constexpr int kColumnPitch = 52;
/// Width of the text inside one column cell (the rest of the pitch is the gap and grid line).
inline constexpr int kColumnTextWidth = 50;
/// The most text columns a control can have.
inline constexpr unsigned kMaxColumns = 3;
/// Horizontal step per level of depth.
inline constexpr int kIndentPerLevel = 10;
/// Expander square: its offset from the level's left edge, its offset from the row top, its side.
inline constexpr int kExpanderLeft = 2;
inline constexpr int kExpanderTop = 3;
inline constexpr int kExpanderSize = 9;
/// Row icon: offset from the level's left edge and from the row top.
inline constexpr int kIconLeft = 19;
inline constexpr int kIconTop = 1;
/// Wrapped title: offset of its left edge from the level's left edge.
inline constexpr int kTextLeft = 32;
/// Pixels kept free at a row's right for the scroll bar.
inline constexpr int kScrollBarWidth = 13;
/// The notes mark's square zone and the picture's offset inside it.
inline constexpr int kNotesZoneSize = 14;
inline constexpr int kNotesPictureInset = 1;

// --- Vertical layout ------------------------------------------------------------------------------

/// Rows start this far below the content's top.
inline constexpr int kFirstRowTop = 1;
/// Height of a row before its text is measured, and of every row with an empty title.
inline constexpr int kProvisionalRowHeight = 15;
/// A row is its text's lines plus this many pixels high.
inline constexpr int kRowTextPadding = 2;

// --- View and scroll bar ----------------------------------------------------------------------------

/// The view is the client area less one pixel at the top and bottom and three at the right.
inline constexpr int kViewInsetTop = 1;
inline constexpr int kViewInsetBottom = 1;
inline constexpr int kViewInsetRight = 3;
/// Height of each scroll arrow button.
inline constexpr int kArrowHeight = 12;
/// The thumb is never shorter than this.
inline constexpr float kMinThumbLength = 13.0f;
/// Height of the thumb's end pictures and of the body slice that is stretched between them.
inline constexpr int kThumbCapHeight = 4;
/// Pixels one arrow tick scrolls.
inline constexpr int kArrowStep = 10;
/// Pixels one notch of a desktop mouse wheel scrolls.
inline constexpr int kWheelStep = 30;
/// Period of the scroll-bar repeat timers, in milliseconds.
inline constexpr int kRepeatPeriodMs = 70;

/// The scroll-bar parts the pen can press; their numbers also pick their timers.
enum ScrollPart : std::int32_t {
    kNoPart = -1,
    kPartUpArrow = 0,
    kPartDownArrow = 1,
    kPartThumb = 4,
};
/// The timer of a part is this plus the part's number (109 up, 110 down, 113 thumb).
inline constexpr unsigned kFirstRepeatTimerId = 109;

// --- Colours ----------------------------------------------------------------------------------------

inline constexpr COLORREF kControlBackground = RGB(255, 255, 255);
inline constexpr COLORREF kEvenRowColour = RGB(223, 227, 247);
inline constexpr COLORREF kOddRowColour = RGB(244, 245, 190);
inline constexpr COLORREF kSelectedRowColour = RGB(220, 180, 200);
inline constexpr COLORREF kSelectedTextColour = RGB(50, 50, 200);
inline constexpr COLORREF kScrollBarBackground = RGB(190, 190, 190);
inline constexpr COLORREF kFrameColour = RGB(77, 80, 141);
/// Key colour of the pictures drawn with transparency.
inline constexpr COLORREF kPictureKey = RGB(255, 0, 0);
/// The expander squares are keyed on white so their inside shows the row colour.
inline constexpr COLORREF kExpanderKey = RGB(255, 255, 255);

// --- Font (the pictures are res/ResourceIds.h's IDB_*) ------------------------------------------------

inline constexpr char16_t kRowFontFace[] = u"Tahoma";
inline constexpr int kRowFontHeight = 13;

} // namespace treectrl

// Owner notifications and hit-test flags keep the system's global names: the owner uses them in its
// notification table.

/// Sent once for every row whose checked flag the control writes.
inline constexpr unsigned VTN_CHECKCHANGED = 8500;
/// Sent when the pen is lifted on a row's notes mark.
inline constexpr unsigned VTN_NOTESCLICKED = 8501;

/// Hit-test flags: where on the row the point lies.
inline constexpr std::uint32_t VTHT_ONCHECKBOX = 1;
inline constexpr std::uint32_t VTHT_ONEXPANDER = 2;
inline constexpr std::uint32_t VTHT_ONNOTES = 4;
