// Bitmaps: the program's pictures loaded by number, and blank surfaces that memory drawing contexts
// draw into.
#pragma once

#include "platform/ui/Geometry.h"

#include <memory>

struct BitmapData; // the pixels; defined for the platform's own code in DCBridge.h
class CDC;

/// The colour GetPixel answers for a point outside the picture.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

/// A picture of 24-bit colour pixels. Move-only; a drawing context that has it selected keeps the
/// pixels alive even if this object goes first.
class CBitmap {
public:
    CBitmap();
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    CBitmap(CBitmap&&) noexcept;
    CBitmap& operator=(CBitmap&&) noexcept;

    /// Loads picture `id` of the program's resources (res/bitmaps/<id>.png). False, leaving the bitmap
    /// empty, when the program has no such picture.
    bool LoadBitmap(unsigned id);
    /// Makes a blank picture of the given size, all black, as a fresh surface bitmap is. False for a
    /// size that is not positive or too large to allocate.
    bool CreateBitmap(int width, int height);
    /// The same as CreateBitmap: every surface of this platform has the same pixel format, so the
    /// context only says where the bitmap will be used.
    bool CreateCompatibleBitmap(const CDC* dc, int width, int height);
    /// Releases the pixels; the bitmap is empty afterwards.
    void DeleteObject();

    /// True when the bitmap holds no picture.
    bool IsNull() const;
    /// Width and height in pixels; 0 x 0 when empty.
    CSize GetSize() const;
    /// The colour at (x, y), or CLR_INVALID outside the picture.
    COLORREF GetPixel(int x, int y) const;

    /// The pixels, for the platform's own code (see DCBridge.h); null when empty.
    const std::shared_ptr<BitmapData>& Data() const { return m_data; }
    /// Makes the bitmap show these pixels, for the platform's own code (see DCBridge.h).
    void AttachData(std::shared_ptr<BitmapData> data) { m_data = std::move(data); }

private:
    std::shared_ptr<BitmapData> m_data;
};
