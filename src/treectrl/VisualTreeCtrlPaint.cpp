// CVisualTreeCtrl painting: the off-screen surfaces, rendering rows into the band as they come into
// view, and composing the control with its scroll bar, grid lines and frame.
#include "treectrl/VisualTreeCtrl.h"

#include "res/ResourceIds.h"

#include <algorithm>
#include <cstdlib>

using namespace treectrl;

namespace {

constexpr unsigned kWordFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
constexpr unsigned kColumnFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

constexpr unsigned kThumbBitmaps[3] = {IDB_THUMB_TOP, IDB_THUMB_MIDDLE, IDB_THUMB_BOTTOM};
enum ThumbPiece { kThumbTop = 0, kThumbBody = 1, kThumbBottom = 2 };

/// Makes a memory surface of the given size with a bitmap selected into it.
bool MakeSurface(CDC& dc, CBitmap& bitmap, const CDC& like, CSize size) {
    if (!dc.CreateCompatibleDC(&like) || !bitmap.CreateCompatibleBitmap(&like, size.cx, size.cy)) {
        return false;
    }
    return dc.SelectObject(&bitmap) != nullptr;
}

/// Makes a memory context holding picture `id`.
bool MakePictureSurface(CDC& dc, CBitmap& bitmap, const CDC& like, unsigned id) {
    return dc.CreateCompatibleDC(&like) && bitmap.LoadBitmap(id) && dc.SelectObject(&bitmap) != nullptr;
}

void DrawPicture(CDC& dc, const CBitmap& picture, int x, int y, COLORREF key) {
    const CSize size = picture.GetSize();
    dc.TransparentImage(x, y, size.cx, size.cy, picture, 0, 0, size.cx, size.cy, key);
}

}  // namespace

void CVisualTreeCtrl::CreateResources(CDC& dc, const CRect& client) {
    if (ResourcesReady()) {
        return;
    }
    surfaceSize_ = CSize(client.Width(), client.Height());
    if (surfaceSize_.cx <= 0 || surfaceSize_.cy <= 0) {
        return;
    }
    if (!MakeSurface(frameDc_, frameBitmap_, dc, surfaceSize_)) {
        return;
    }
    if (!rowFont_.CreateFont(kRowFontHeight, FW_DONTCARE, kRowFontFace)) {
        return;
    }
    const CSize bandSize(surfaceSize_.cx, std::max(surfaceSize_.cy - kViewInsetTop - kViewInsetBottom, 1));
    for (int i = 0; i < 2; ++i) {
        if (!MakeSurface(bandDc_[i], bandBitmap_[i], dc, bandSize)) {
            return;
        }
        bandDc_[i].SelectObject(&rowFont_);
    }
    for (int piece = kThumbTop; piece <= kThumbBottom; ++piece) {
        if (!MakePictureSurface(thumbDc_[piece], thumbBitmap_[piece], dc, kThumbBitmaps[piece])) {
            return;
        }
    }
    // A missing picture leaves its bitmap empty, which draws nothing; the control still works.
    arrowUpBitmap_.LoadBitmap(IDB_SCROLL_UP);
    arrowDownBitmap_.LoadBitmap(IDB_SCROLL_DOWN);
    uncheckedBitmap_.LoadBitmap(IDB_UNCHECKED);
    checkedBitmap_.LoadBitmap(IDB_CHECKED);
    plusBitmap_.LoadBitmap(IDB_COLLAPSED);
    minusBitmap_.LoadBitmap(IDB_EXPANDED);
    notesBitmap_.LoadBitmap(IDB_NOTES_MARK);

    rowFontMeasure_.dc = &bandDc_[0];
    wordMeasures_.Clear();
    lineHeight_ = bandDc_[0].GetTextExtent(u" ").cy;
    band_.SetHeight(bandSize.cy);
    band_.Invalidate();
    resourcesCreated_ = 1;
}

void CVisualTreeCtrl::ReleaseResources() {
    if (!ResourcesReady()) {
        return;
    }
    rowFontMeasure_.dc = nullptr;
    frameDc_.DeleteDC();
    frameBitmap_.DeleteObject();
    for (int i = 0; i < 2; ++i) {
        bandDc_[i].DeleteDC();
        bandBitmap_[i].DeleteObject();
    }
    rowFont_.DeleteObject();
    for (int piece = kThumbTop; piece <= kThumbBottom; ++piece) {
        thumbDc_[piece].DeleteDC();
        thumbBitmap_[piece].DeleteObject();
    }
    arrowUpBitmap_.DeleteObject();
    arrowDownBitmap_.DeleteObject();
    uncheckedBitmap_.DeleteObject();
    checkedBitmap_.DeleteObject();
    plusBitmap_.DeleteObject();
    minusBitmap_.DeleteObject();
    notesBitmap_.DeleteObject();
    // Cleared so that nothing draws or measures with the released surfaces; a later window would
    // create them afresh.
    lineHeight_ = 0;
    layoutDirty_ = 1;
    resourcesCreated_ = 0;
}

void CVisualTreeCtrl::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    CreateResources(dc, client);
    if (!ResourcesReady()) {
        dc.FillSolidRect(client, kControlBackground);
        return;
    }
    EnsureLayout();
    DrawTree(frameDc_);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &frameDc_, 0, 0);
}

bool CVisualTreeCtrl::OnEraseBkgnd(CDC&) {
    // Everything is composed off screen; erasing first would only flicker.
    return true;
}

void CVisualTreeCtrl::OnDestroy() {
    CWnd::OnDestroy();
    ReleaseResources();
}

void CVisualTreeCtrl::DrawTree(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, kControlBackground);
    UpdateBand();
    const int width = std::min(viewRect_.Width(), contentRect_.Width());
    const int height = std::min(viewRect_.Height(), contentRect_.Height() - scrollOffset_);
    if (width > 0 && height > 0) {
        dc.BitBlt(0, 0, width, height, &bandDc_[bandIndex_], 0, 0);
    }

    DrawScrollBar(dc);
    DrawGridAndFrame(dc, client);
}

void CVisualTreeCtrl::UpdateBand() {
    band_.SetHeight(bandBitmap_[0].GetSize().cy);
    const BandUpdate update = band_.MoveTo(scrollOffset_);
    if (update.keepOld && update.shift != 0) {
        // Move the pixels that stay in view onto the spare surface, then make it the current one.
        CDC& from = bandDc_[bandIndex_];
        CDC& to = bandDc_[1 - bandIndex_];
        const int height = band_.Height() - std::abs(update.shift);
        const int fromY = std::max(update.shift, 0);
        const int toY = std::max(-update.shift, 0);
        to.BitBlt(0, toY, surfaceSize_.cx, height, &from, 0, fromY);
        bandIndex_ = 1 - bandIndex_;
    }
    if (!update.exposed.Empty()) {
        RenderStrip(update.exposed);
    }
}

void CVisualTreeCtrl::RenderStrip(const ContentStrip& strip) {
    CDC& dc = bandDc_[bandIndex_];
    dc.FillSolidRect(CRect(0, strip.top - band_.Top(), surfaceSize_.cx, strip.bottom - band_.Top()),
                     kControlBackground);
    for (std::size_t i = FirstShownRowBelow(strip.top);
         i < shownRows_.size() && shownRows_[i]->item.rowRect.top < strip.bottom; ++i) {
        DrawItem(shownRows_[i]);
    }
}

void CVisualTreeCtrl::DrawItem(VisualNode* node) {
    const CRect& row = node->item.rowRect;
    if (!ResourcesReady() || !band_.Valid() || band_.Visible(row.top, row.bottom).Empty()) {
        return;
    }
    const VisualItem& item = node->item;
    CDC& dc = bandDc_[bandIndex_];
    const int dy = -band_.Top();
    CRect r = row;
    r.OffsetRect(0, dy);

    const bool selected = node == selected_;
    const COLORREF savedText = dc.GetTextColor();
    if (selected) {
        dc.SetTextColor(kSelectedTextColour);
    }
    dc.FillSolidRect(r, selected ? kSelectedRowColour : item.background);

    DrawPicture(dc, GetCheck(node) != 0 ? checkedBitmap_ : uncheckedBitmap_, r.left + kCheckPictureInset,
                r.top + kCheckPictureInset, kPictureKey);

    int x = r.left + kCheckColumnWidth;
    for (unsigned column = 0; column < columnCount_; ++column) {
        if (column < item.columnTexts.size()) {
            dc.DrawText(item.columnTexts[column], CRect(x, r.top, x + kColumnTextWidth, r.bottom), kColumnFormat);
        }
        x += kColumnPitch;
    }

    x += indent_ * item.level;
    if (!node->children.empty()) {
        DrawPicture(dc, item.expanded != 0 ? minusBitmap_ : plusBitmap_, x + kExpanderLeft, r.top + kExpanderTop,
                    kExpanderKey);
    }
    const std::int32_t icon = selected ? item.selectedImage : item.image;
    if (icon >= 0 && static_cast<std::size_t>(icon) < images_.size()) {
        DrawPicture(dc, images_[static_cast<std::size_t>(icon)], x + kIconLeft, r.top + kIconTop, kPictureKey);
    }

    // Words outside the band are placed but not drawn, so a very long title costs little when only
    // a few of its lines are in view.
    const CRect textArea(x + kTextLeft, r.top, r.right - kScrollBarWidth, r.bottom);
    const int bandHeight = band_.Height();
    DrawWrappedText(textArea, item.text, [&](std::u16string_view word, const CRect& place) {
        if (place.bottom > 0 && place.top < bandHeight) {
            dc.DrawText(word, place, kWordFormat);
        }
    });

    if (!item.notes.empty()) {
        DrawPicture(dc, notesBitmap_, item.notesRect.left + kNotesPictureInset, item.notesRect.top + dy, kPictureKey);
    }
    if (selected) {
        dc.SetTextColor(savedText);
    }
}

void CVisualTreeCtrl::DrawScrollBar(CDC& dc) {
    if (!scrollBar_.Visible()) {
        return;
    }
    dc.FillSolidRect(scrollBar_.bar, kScrollBarBackground);
    const CRect& up = scrollBar_.upArrow;
    const CRect& down = scrollBar_.downArrow;
    const CSize arrowSize = arrowUpBitmap_.GetSize();
    dc.TransparentImage(up.left, up.top, up.Width(), up.Height(), arrowUpBitmap_, 0, 0, arrowSize.cx, arrowSize.cy,
                        kPictureKey);
    dc.TransparentImage(down.left, down.top, down.Width(), down.Height(), arrowDownBitmap_, 0, 0, arrowSize.cx,
                        arrowSize.cy, kPictureKey);

    const CRect& thumb = scrollBar_.thumb;
    const int width = thumb.Width();
    dc.BitBlt(thumb.left, thumb.top, width, kThumbCapHeight, &thumbDc_[kThumbTop], 0, 0);
    const int bodyHeight = thumb.Height() - 2 * kThumbCapHeight;
    if (bodyHeight > 0) {
        dc.StretchBlt(thumb.left, thumb.top + kThumbCapHeight, width, bodyHeight, &thumbDc_[kThumbBody], 0, 0, width,
                      kThumbCapHeight);
    }
    dc.BitBlt(thumb.left, thumb.bottom - kThumbCapHeight, width, kThumbCapHeight, &thumbDc_[kThumbBottom], 0, 0);
}

void CVisualTreeCtrl::DrawGridAndFrame(CDC& dc, const CRect& client) {
    // The lines mark the right edges of the check box column and of each text column.
    if (checkBoxesShown_ != 0) {
        dc.MoveTo(client.left + kCheckColumnWidth, client.top);
        dc.LineTo(client.left + kCheckColumnWidth, client.bottom);
        for (unsigned column = 1; column <= columnCount_; ++column) {
            const int x = client.left + kCheckColumnWidth + kColumnPitch * static_cast<int>(column);
            dc.MoveTo(x, client.top);
            dc.LineTo(x, client.bottom);
        }
    }
    // The frame's sides fall just outside the window, leaving coloured lines along top and bottom.
    dc.FrameRect(CRect(client.left - 1, client.top, client.right + 1, client.bottom), kFrameColour);
}

void CVisualTreeCtrl::RedrawItem(VisualNode* node) {
    // With the layout dirty, the next layout renders every row in view afresh: drawing one now
    // would be wasted, and laying out here would make filling an unpainted control quadratic.
    if (node == nullptr || IsLayoutDirty() || !IsShown(node)) {
        return;
    }
    const CRect onWindow = ItemRectOnWindow(node);
    DrawItem(node);
    if (HasWindow()) {
        InvalidateRect(&onWindow, false);
        UpdateWindow();
    }
}
