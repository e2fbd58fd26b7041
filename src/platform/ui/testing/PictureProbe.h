// What UI tests need from pictures beyond CBitmap's colours: an icon's opacity, drawing through a
// context that paints into a window's painter, and writing a bitmap out as a PNG to look at.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDC;

namespace uitest {

/// An icon of the program's resources reduced to its size and the opacity of each pixel.
struct IconOpacity {
    CSize size;
    std::vector<std::uint8_t> alpha; ///< row by row, 0 = see-through, 255 = solid

    /// The opacity at (x, y); -1 outside the icon.
    int AlphaAt(int x, int y) const;
};

/// The opacity of icon `id` of the program's resources; nothing when the program has no such icon.
std::optional<IconOpacity> LoadIconOpacity(unsigned id);
/// The opacity of the icon the device window shows, at its largest size; nothing when it shows the
/// application's default (the window system's own).
std::optional<IconOpacity> DeviceIconOpacity();

/// Runs `paint` with a context attached to a painter over a fresh image of `size` filled with
/// `background`, the way a window's paint event hands one over, then ends the painter and answers
/// what was painted. An empty bitmap when `size` is not positive.
CBitmap PaintThroughPainter(CSize size, COLORREF background, const std::function<void(CDC&)>& paint);

/// Writes `bitmap` as a PNG file; false when it is empty or the file cannot be written.
bool SaveBitmapPng(const CBitmap& bitmap, const std::string& path);
/// Reads a PNG file (a screenshot the program wrote) as a bitmap; empty when it cannot be read.
CBitmap ReadPngBitmap(const std::string& path);

} // namespace uitest
