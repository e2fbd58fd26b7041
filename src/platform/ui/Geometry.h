// Geometry and colour values with the device's rules: rectangles are left, top, right, bottom with
// right and bottom exclusive; colours are 0x00BBGGRR.
#pragma once

#include <cstdint>

/// A colour as the device stores it: 0x00BBGGRR.
using COLORREF = std::uint32_t;

/// Builds a colour from its red, green and blue parts.
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

/// A point in pixels.
struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}
    constexpr bool operator==(const CPoint&) const = default;
};

/// A size in pixels.
struct CSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    constexpr CSize() = default;
    constexpr CSize(std::int32_t w, std::int32_t h) : cx(w), cy(h) {}
    constexpr bool operator==(const CSize&) const = default;
};

/// A rectangle; right and bottom are outside it.
struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    /// True when the rectangle holds no pixel.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    /// True when every field is zero.
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    /// True when the point lies inside: left and top included, right and bottom excluded.
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void OffsetRect(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr bool operator==(const CRect&) const = default;
};
