// The seam between the drawing context and Qt, for the platform's own code only (it includes Qt):
// drawing contexts over a window's painter or over an image, the pixels of bitmaps and the Qt fonts.
#pragma once

#include "platform/ui/CharAdvances.h"
#include "platform/ui/DC.h"
#include "platform/ui/FaceMetrics.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRect>

/// The pixels of a CBitmap. Pictures and surfaces are QImage::Format_RGB32; icons may carry alpha.
struct BitmapData {
    QImage image;
};

/// The picture of an icon, with its alpha.
struct IconData {
    QImage image;
};

/// The platform font of a CFont, and what it was made from.
struct FontData {
    QFont font;               ///< drawn at the em size the cell rule gives, without kerning
    LOGFONT attributes;       ///< what it was made from
    CellMetrics cell;         ///< its line on the device: em, cell height, ascent and descent
    CharAdvances* advances{}; ///< its characters' advance widths (see TextLine.h); never null
};

/// Colour conversions: COLORREF is 0x00BBGGRR.
QColor ToQColor(COLORREF colour);
COLORREF FromQRgb(QRgb rgb);
/// A CRect (right and bottom excluded) as a QRect (its right and bottom included).
QRect ToQRect(const CRect& rect);

/// Makes `dc` draw with a painter the caller owns (a window's paint event). The painter must stay
/// active while the context is used; the context never ends it. `surfaceSize` is the painted
/// window's size.
void AttachPainter(CDC& dc, QPainter* painter, CSize surfaceSize);
/// Makes `dc` a memory context drawing into an image the caller owns, which must outlive the
/// context's drawing (or the next SelectObject). Images of other formats are converted first.
void AttachImage(CDC& dc, QImage* image);
/// The painter the context draws with at this moment, or null (no surface).
QPainter* ActivePainter(CDC& dc);

/// The pixels of a bitmap; a null image when the bitmap is empty.
const QImage& BitmapImage(const CBitmap& bitmap);
/// Wraps an image as a bitmap (copied on write, as QImage is).
CBitmap BitmapFromImage(const QImage& image);
/// The picture `id` of the program's resources (":/bitmaps/<id>.png"), or a null image.
QImage LoadBitmapImage(unsigned id);
/// The icon `id` of the program's resources (":/icons/<id>.png"), with its alpha, or a null pixmap.
QPixmap LoadIconPixmap(unsigned id);

/// The Qt font of a CFont, or the device's default font (Tahoma, 13 pixels) when it is empty.
QFont ToQFont(const CFont& font);
/// The cell of a CFont (an empty one gives the device's default font's).
CellMetrics CellOf(const CFont& font);
/// A Qt font for a face, cell height in pixels and weight, with the device's hinting.
QFont MakeDeviceFont(std::u16string_view faceName, int cellHeight, int weight);
