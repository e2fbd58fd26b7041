// The check-tree control's row font on a memory surface of its own: what the tests and the
// benchmarks measure titles with, as the control measures them.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/Font.h"

#include <string_view>

/// Tahoma with 13-pixel cells, the face and height the rows are drawn in, selected into a 1 x 1
/// memory surface.
class RowFontSurface {
public:
    RowFontSurface() {
        m_font.CreateFont(13, FW_DONTCARE, u"Tahoma");
        m_bitmap.CreateBitmap(1, 1);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
        m_dc.SelectObject(&m_font);
    }
    RowFontSurface(const RowFontSurface&) = delete;
    RowFontSurface& operator=(const RowFontSurface&) = delete;

    /// Width of the text as one line, and the font's line height.
    CSize Measure(std::u16string_view text) const { return m_dc.GetTextExtent(text); }

private:
    CFont m_font;
    CBitmap m_bitmap;
    CDC m_dc;
};

/// Width and line height of text in the row font.
inline CSize MeasureRowText(std::u16string_view text) {
    const RowFontSurface surface;
    return surface.Measure(text);
}
