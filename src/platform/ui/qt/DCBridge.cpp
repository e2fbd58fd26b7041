// The seam between drawing contexts and Qt: colour and rectangle conversions, contexts over a
// window's painter or a caller's image, and the surface bookkeeping of a context.
#include "platform/ui/qt/DCBridge.h"

#include "platform/ui/qt/DCState.h"

QColor ToQColor(COLORREF colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF FromQRgb(QRgb rgb) {
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QRect ToQRect(const CRect& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void AttachPainter(CDC& dc, QPainter* painter, CSize surfaceSize) {
    DCState& state = dc.State();
    state.DropSurface();
    state.target = painter != nullptr ? DCState::Target::AttachedPainter : DCState::Target::None;
    state.attachedPainter = painter;
    state.paintedSize = surfaceSize;
}

void AttachImage(CDC& dc, QImage* image) {
    DCState& state = dc.State();
    state.DropSurface();
    if (image == nullptr || image->isNull()) {
        return;
    }
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied &&
        image->format() != QImage::Format_ARGB32) {
        *image = image->convertToFormat(QImage::Format_RGB32);
    }
    state.target = DCState::Target::AttachedImage;
    state.attachedImage = image;
}

QPainter* ActivePainter(CDC& dc) {
    return dc.State().Painter();
}

QImage* DCState::SurfaceImage() {
    switch (target) {
    case Target::SelectedBitmap:
        return surface ? &surface->image : nullptr;
    case Target::AttachedImage:
        return attachedImage;
    case Target::None:
    case Target::AttachedPainter:
        break;
    }
    return nullptr;
}

const QImage* DCState::SurfaceImage() const {
    return const_cast<DCState*>(this)->SurfaceImage();
}

QPainter* DCState::Painter() {
    if (target == Target::AttachedPainter) {
        return attachedPainter;
    }
    if (ownPainter) {
        return ownPainter.get();
    }
    QImage* image = SurfaceImage();
    if (image == nullptr || image->isNull()) {
        return nullptr;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(image)) {
        return nullptr;
    }
    ownPainter = std::move(painter);
    return ownPainter.get();
}

void DCState::EndPainting() {
    if (ownPainter) {
        ownPainter->end();
        ownPainter.reset();
    }
}

void DCState::DropSurface() {
    EndPainting();
    target = Target::None;
    selectedBitmap = nullptr;
    surface.reset();
    attachedImage = nullptr;
    attachedPainter = nullptr;
    paintedSize = {};
}
