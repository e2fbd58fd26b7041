// The drawing context: fills, copies, lines, frames and single-line text on a memory surface (a
// selected bitmap) or on a window being painted.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

#include <memory>
#include <string_view>

struct DCState; // the context's state; the platform's own code reaches it through DCBridge.h

/// DrawText format flags. Alignment: DT_LEFT, DT_CENTER or DT_RIGHT across; DT_TOP, DT_VCENTER or
/// DT_BOTTOM down (the vertical ones only with DT_SINGLELINE).
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_BOTTOM = 0x0008;
/// Breaks lines between words so that each fits the rectangle's width (without DT_SINGLELINE).
inline constexpr unsigned DT_WORDBREAK = 0x0010;
/// One line: line breaks in the text are drawn as they are, nothing wraps.
inline constexpr unsigned DT_SINGLELINE = 0x0020;
/// Draws past the rectangle instead of clipping at it.
inline constexpr unsigned DT_NOCLIP = 0x0100;
/// Measures only: sets the rectangle's right and bottom to what the text needs, draws nothing.
inline constexpr unsigned DT_CALCRECT = 0x0400;
/// Ampersands are drawn as they are. Without it "&x" draws x and "&&" draws one ampersand.
inline constexpr unsigned DT_NOPREFIX = 0x0800;

/// Background modes for text.
inline constexpr int TRANSPARENT = 1; ///< text leaves what is behind it
inline constexpr int OPAQUE = 2;      ///< text cells are filled with the background colour first

/// Pen styles: only solid pens exist on this device.
inline constexpr int PS_SOLID = 0;

/// A solid pen of a colour; lines are always 1 pixel wide.
class CPen {
public:
    CPen() = default;
    /// A solid pen of the colour; the style must be PS_SOLID and the width 0 or 1.
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    /// False for a style or width this device cannot draw.
    bool CreatePen(int style, int width, COLORREF colour);
    bool IsNull() const { return !m_created; }
    COLORREF GetColor() const { return m_colour; }

private:
    bool m_created = false;
    COLORREF m_colour = 0;
};

/// A solid brush of a colour.
class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour);
    bool IsNull() const { return !m_created; }
    COLORREF GetColor() const { return m_colour; }

private:
    bool m_created = false;
    COLORREF m_colour = 0;
};

/// A drawing context. A memory context (CreateCompatibleDC) draws into the bitmap selected into it;
/// a paint context (made by the window layer, see DCBridge.h) draws into a window. Defaults: black
/// text on an opaque white background, a black pen, the device face at 13 pixels.
/// Coordinates are pixels; rectangles exclude their right and bottom edges.
class CDC {
public:
    CDC();
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    CDC(CDC&&) noexcept;
    CDC& operator=(CDC&&) noexcept;

    /// Makes this a memory context holding a 1 x 1 placeholder bitmap; select a bitmap into it to
    /// draw. The other context, if any, only says which display it is for.
    bool CreateCompatibleDC(const CDC* other);
    /// Releases the context; it draws nothing afterwards.
    void DeleteDC();
    /// True when the context can draw (a memory context or an attached window paint).
    bool IsValid() const;

    /// Selects a bitmap into a memory context: what is drawn afterwards lands in it. Answers the
    /// bitmap selected before (the context's placeholder at first), or null when `bitmap` is empty
    /// or this is not a memory context.
    CBitmap* SelectObject(CBitmap* bitmap);
    /// Selects a font for text. Answers the font selected before (the context's default at first),
    /// or null when `font` is empty.
    CFont* SelectObject(CFont* font);
    /// Selects a pen for lines. Answers the pen selected before (the context's default at first).
    CPen* SelectObject(CPen* pen);
    /// The font selected for text.
    CFont* GetCurrentFont() const;

    /// Size of the surface drawn into: the selected bitmap's, or the painted window's.
    CSize GetSurfaceSize() const;

    // --- Colours and modes --------------------------------------------------------------------

    COLORREF SetTextColor(COLORREF colour); ///< answers the previous text colour
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF colour); ///< answers the previous background colour
    COLORREF GetBkColor() const;
    int SetBkMode(int mode); ///< TRANSPARENT or OPAQUE; answers the previous mode

    // --- Fills, lines, frames -----------------------------------------------------------------

    /// Fills the rectangle with the colour, which also becomes the background colour for text.
    void FillSolidRect(const CRect& rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    /// Fills the rectangle with the brush's colour (the background colour is left alone).
    void FillRect(const CRect& rect, const CBrush* brush);
    /// A 1-pixel frame along the inside edges of the rectangle.
    void FrameRect(const CRect& rect, const CBrush* brush);
    void FrameRect(const CRect& rect, COLORREF colour);
    /// Moves the current position; answers the previous one.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint point) { return MoveTo(point.x, point.y); }
    /// Draws a 1-pixel line with the current pen from the current position to (x, y), which is not
    /// drawn itself, and makes (x, y) the current position.
    bool LineTo(int x, int y);
    bool LineTo(CPoint point) { return LineTo(point.x, point.y); }
    /// Sets one pixel; answers the colour set.
    COLORREF SetPixel(int x, int y, COLORREF colour);
    /// The colour at (x, y); CLR_INVALID outside the surface or on a window paint.
    COLORREF GetPixel(int x, int y) const;

    // --- Copies ---------------------------------------------------------------------------------

    /// Copies a width x height block from (xSrc, ySrc) of the source to (x, y) here, unchanged.
    /// False when the source has no readable surface.
    bool BitBlt(int x, int y, int width, int height, const CDC* source, int xSrc, int ySrc);
    /// Copies a block of the source, resized to width x height with no smoothing (each target pixel
    /// takes its nearest source pixel).
    bool StretchBlt(int x, int y, int width, int height, const CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight);
    /// Like StretchBlt from a bitmap, but source pixels of exactly the key colour leave the target
    /// untouched.
    bool TransparentImage(int x, int y, int width, int height, const CBitmap& bitmap, int xSrc, int ySrc,
                          int srcWidth, int srcHeight, COLORREF transparentKey);

    // --- Text ----------------------------------------------------------------------------------

    /// Width of the text as one line in the selected font, and the font's line height.
    CSize GetTextExtent(std::u16string_view text) const;
    /// The selected font's measures.
    TEXTMETRIC GetTextMetrics() const;
    /// Draws the text in the rectangle with the format flags above (the text's top at the top of the
    /// rectangle unless DT_VCENTER or DT_BOTTOM says otherwise), in the text colour, over the
    /// background colour when the mode is OPAQUE. Answers the height of the text drawn. With
    /// DT_CALCRECT the rectangle is set to the text's size and nothing is drawn.
    int DrawText(std::u16string_view text, CRect& rect, unsigned format);
    /// The same for a rectangle the caller keeps as it is (DT_CALCRECT then only answers the height).
    int DrawText(std::u16string_view text, const CRect& rect, unsigned format);

    /// The context's state, for the platform's own code (see DCBridge.h).
    DCState& State() const { return *m_state; }

private:
    std::unique_ptr<DCState> m_state;
};
