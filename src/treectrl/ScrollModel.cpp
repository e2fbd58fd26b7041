// Clamping of the scroll offset and the scroll bar's geometry.
#include "treectrl/ScrollModel.h"

#include "treectrl/TreeCtrlMetrics.h"

#include <algorithm>

namespace treectrl {
namespace {

/// The track between the two arrows of a bar along the view's right edge.
CRect TrackOf(const CRect& view) {
    return CRect(view.right - kScrollBarWidth, view.top + kArrowHeight, view.right,
                 view.bottom - kArrowHeight);
}

float ScaleOf(const CRect& track, std::int32_t contentHeight) {
    return static_cast<float>(track.Height()) / static_cast<float>(contentHeight);
}

float ThumbLength(std::int32_t viewHeight, float scale) {
    return std::max(static_cast<float>(viewHeight) * scale, kMinThumbLength);
}

} // namespace

std::int32_t ClampScrollOffset(std::int32_t offset, std::int32_t contentHeight, std::int32_t viewHeight) {
    const std::int32_t lastOffset = contentHeight - viewHeight;
    if (offset >= lastOffset) {
        offset = lastOffset;
    }
    return std::max(offset, 0);
}

ScrollBarGeometry ComputeScrollBar(const CRect& view, std::int32_t contentHeight, std::int32_t offset,
                                   float previousScale) {
    ScrollBarGeometry g;
    g.scale = previousScale;
    const std::int32_t viewHeight = view.Height();
    if (viewHeight >= contentHeight) {
        return g;
    }
    g.bar = CRect(view.right - kScrollBarWidth, view.top, view.right, view.bottom);
    g.upArrow = CRect(g.bar.left, g.bar.top, g.bar.right, g.bar.top + kArrowHeight);
    g.downArrow = CRect(g.bar.left, g.bar.bottom - kArrowHeight, g.bar.right, g.bar.bottom);
    const CRect track = TrackOf(view);
    g.scale = ScaleOf(track, contentHeight);
    const auto thumbTop = track.top + static_cast<std::int32_t>(static_cast<float>(offset) * g.scale);
    const float thumbLength = ThumbLength(viewHeight, g.scale);
    auto thumbBottom = static_cast<std::int32_t>(static_cast<float>(thumbTop) + thumbLength);
    g.thumb = CRect(g.bar.left, thumbTop, g.bar.right, thumbBottom);
    if (thumbBottom > track.bottom) {
        g.thumb.OffsetRect(0, track.bottom - thumbBottom);
    }
    return g;
}

bool ThumbIsShortestAtTop(const CRect& view, std::int32_t contentHeight) {
    const std::int32_t viewHeight = view.Height();
    if (viewHeight >= contentHeight) {
        return false;
    }
    // The scale only falls as the content grows, so a thumb at its least length stays there; at the
    // top the thumb starts at the track's top whatever the scale.
    return ThumbLength(viewHeight, ScaleOf(TrackOf(view), contentHeight)) == kMinThumbLength;
}

} // namespace treectrl
