// The inside of a drawing context: what it draws into, what is selected into it and its colours.
// Only the drawing context's own files include this.
#pragma once

#include "platform/ui/qt/DCBridge.h"

#include <memory>

/// Everything a CDC holds. A context draws into one of: the bitmap selected into it (memory
/// context), an image attached by the platform (memory context over a caller's image), or a
/// painter attached by the window layer (a window being painted).
struct DCState {
    enum class Target { None, SelectedBitmap, AttachedImage, AttachedPainter };

    Target target = Target::None;      ///< what the context draws into
    bool isMemory = false;             ///< made by CreateCompatibleDC or AttachImage: bitmaps may be selected
    CBitmap placeholder;               ///< the 1 x 1 bitmap a fresh memory context holds
    CBitmap* selectedBitmap = nullptr; ///< the bitmap selected into a memory context
    std::shared_ptr<BitmapData> surface;  ///< its pixels, kept alive while selected
    QImage* attachedImage = nullptr;      ///< the caller's image (AttachedImage)
    QPainter* attachedPainter = nullptr;  ///< the window's painter (AttachedPainter)
    CSize paintedSize;                    ///< the painted window's size (AttachedPainter)
    std::unique_ptr<QPainter> ownPainter; ///< our painter on a memory surface, begun on first use

    CFont defaultFont;                  ///< the device face at its default size
    CFont* selectedFont = nullptr;      ///< the font used for text
    std::shared_ptr<FontData> fontKeep; ///< the selected font's data, kept alive while selected
    CPen defaultPen;                    ///< black, 1 pixel
    CPen* selectedPen = nullptr;        ///< the pen used for lines

    COLORREF textColour = 0x000000; ///< colour of text
    COLORREF bkColour = 0xFFFFFF;   ///< colour behind text in OPAQUE mode
    int bkMode = OPAQUE;            ///< TRANSPARENT or OPAQUE
    CPoint position;                ///< where the next LineTo starts

    /// The image a memory context draws into, or null.
    QImage* SurfaceImage();
    const QImage* SurfaceImage() const;
    /// The painter to draw with, begun on the surface if need be; null when there is no surface.
    QPainter* Painter();
    /// Ends our own painter, so the surface can be replaced or read by another painter.
    void EndPainting();
    /// Forgets the surface (ends painting first).
    void DropSurface();
};
