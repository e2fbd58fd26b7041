// CImageList: a list of equally sized small images, drawn by list views and tool bars.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <memory>

class CBitmap;
class CDC;

namespace platform {
struct ImageListData;
}

/// Images of one size, addressed by index.
class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    /// Makes an empty list of `cx` by `cy` images. `flags`, `initial` and `grow` are accepted for
    /// the framework's shape; the list grows as needed.
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    /// Appends the images of `bitmap` (one per `cx`-wide cell, left to right); answers the index of
    /// the first, or -1 when the list was not created or the bitmap is empty. No mask: every pixel
    /// is drawn.
    int Add(CBitmap* bitmap, CBitmap* mask);
    /// Appends the cells of `bitmap` with `keyColour` transparent.
    int Add(CBitmap* bitmap, COLORREF keyColour);
    int GetImageCount() const;
    CSize GetImageSize() const;
    /// Draws image `index` with its top-left corner at `point`.
    bool Draw(CDC& dc, int index, CPoint point) const;

    /// The list's data, for the framework's controls.
    const platform::ImageListData* Data() const { return m_data.get(); }

private:
    std::unique_ptr<platform::ImageListData> m_data; ///< size and images
};

/// Image list flag: colour images without mask.
constexpr UINT ILC_COLOR = 0x0000;
