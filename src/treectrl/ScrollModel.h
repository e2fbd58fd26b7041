// The scroll model of the check-tree control: clamping the offset and the scroll bar's geometry.
#pragma once

#include "platform/ui/Geometry.h"

#include <cstdint>

namespace treectrl {

/// Brings offset into [0, contentHeight - viewHeight], and to 0 whenever everything fits.
std::int32_t ClampScrollOffset(std::int32_t offset, std::int32_t contentHeight, std::int32_t viewHeight);

/// The bar and its parts in window coordinates; all empty when the content fits in the view.
struct ScrollBarGeometry {
    CRect bar;          ///< the whole bar along the view's right edge
    CRect upArrow;      ///< the top arrow button
    CRect downArrow;    ///< the bottom arrow button
    CRect thumb;        ///< the part that shows where the view lies
    float scale = 1.0f; ///< track length divided by content height

    /// True when the content is higher than the view and the bar shows.
    bool Visible() const { return !bar.IsRectEmpty(); }
};

/// Computes the bar for a view over content of the given height scrolled by offset (already
/// clamped). When there is no bar the scale is left at previousScale.
ScrollBarGeometry ComputeScrollBar(const CRect& view, std::int32_t contentHeight, std::int32_t offset,
                                   float previousScale);

/// True when content of `contentHeight` pixels, or any higher, scrolled to its top shows the bar
/// with the shortest thumb: the bar's picture is then the same whatever the content's full height,
/// which a layout of the rows at the top alone can tell.
bool ThumbIsShortestAtTop(const CRect& view, std::int32_t contentHeight);

} // namespace treectrl
