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

} // namespace

void CVisualTreeCtrl::CreateResources(CDC& dc, const CRect& client) {
    if (ResourcesReady()) {
        return;
    }
    m_surfaceSize = CSize(client.Width(), client.Height());
    if (m_surfaceSize.cx <= 0 || m_surfaceSize.cy <= 0) {
        return;
    }
    if (!MakeSurface(m_frameDc, m_frameBitmap, dc, m_surfaceSize)) {
        return;
    }
    if (!m_rowFont.CreateFont(kRowFontHeight, FW_DONTCARE, kRowFontFace)) {
        return;
    }
    const CSize bandSize(m_surfaceSize.cx, std::max(m_surfaceSize.cy - kViewInsetTop - kViewInsetBottom, 1));
    for (int i = 0; i < 2; ++i) {
        if (!MakeSurface(m_bandDc[i], m_bandBitmap[i], dc, bandSize)) {
            return;
        }
        m_bandDc[i].SelectObject(&m_rowFont);
    }
    for (int piece = kThumbTop; piece <= kThumbBottom; ++piece) {
        if (!MakePictureSurface(m_thumbDc[piece], m_thumbBitmap[piece], dc, kThumbBitmaps[piece])) {
            return;
        }
    }
    // A missing picture leaves its bitmap empty, which draws nothing; the control still works.
    m_arrowUpBitmap.LoadBitmap(IDB_SCROLL_UP);
    m_arrowDownBitmap.LoadBitmap(IDB_SCROLL_DOWN);
    m_uncheckedBitmap.LoadBitmap(IDB_UNCHECKED);
    m_checkedBitmap.LoadBitmap(IDB_CHECKED);
    m_plusBitmap.LoadBitmap(IDB_COLLAPSED);
    m_minusBitmap.LoadBitmap(IDB_EXPANDED);
    m_notesBitmap.LoadBitmap(IDB_NOTES_MARK);

    m_rowAdvances = &m_rowFont.GetCharAdvances();
    m_lineHeight = m_bandDc[0].GetTextExtent(u" ").cy;
    m_band.SetHeight(bandSize.cy);
    m_band.Invalidate();
    m_resourcesCreated = 1;
}

void CVisualTreeCtrl::ReleaseResources() {
    if (!ResourcesReady()) {
        return;
    }
    m_rowAdvances = nullptr;
    m_frameDc.DeleteDC();
    m_frameBitmap.DeleteObject();
    for (int i = 0; i < 2; ++i) {
        m_bandDc[i].DeleteDC();
        m_bandBitmap[i].DeleteObject();
    }
    m_rowFont.DeleteObject();
    for (int piece = kThumbTop; piece <= kThumbBottom; ++piece) {
        m_thumbDc[piece].DeleteDC();
        m_thumbBitmap[piece].DeleteObject();
    }
    m_arrowUpBitmap.DeleteObject();
    m_arrowDownBitmap.DeleteObject();
    m_uncheckedBitmap.DeleteObject();
    m_checkedBitmap.DeleteObject();
    m_plusBitmap.DeleteObject();
    m_minusBitmap.DeleteObject();
    m_notesBitmap.DeleteObject();
    // Cleared so that nothing draws or measures with the released surfaces; a later window would
    // create them afresh.
    m_lineHeight = 0;
    m_layoutDirty = 1;
    m_resourcesCreated = 0;
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
    DrawTree(m_frameDc);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &m_frameDc, 0, 0);
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
    const int width = std::min(m_viewRect.Width(), m_contentRect.Width());
    const int height = std::min(m_viewRect.Height(), m_contentRect.Height() - m_scrollOffset);
    if (width > 0 && height > 0) {
        dc.BitBlt(0, 0, width, height, &m_bandDc[m_bandIndex], 0, 0);
    }

    DrawScrollBar(dc);
    DrawGridAndFrame(dc, client);
}

void CVisualTreeCtrl::UpdateBand() {
    m_band.SetHeight(m_bandBitmap[0].GetSize().cy);
    const BandUpdate update = m_band.MoveTo(m_scrollOffset);
    if (update.keepOld && update.shift != 0) {
        // Move the pixels that stay in view onto the spare surface, then make it the current one.
        CDC& from = m_bandDc[m_bandIndex];
        CDC& to = m_bandDc[1 - m_bandIndex];
        const int height = m_band.Height() - std::abs(update.shift);
        const int fromY = std::max(update.shift, 0);
        const int toY = std::max(-update.shift, 0);
        to.BitBlt(0, toY, m_surfaceSize.cx, height, &from, 0, fromY);
        m_bandIndex = 1 - m_bandIndex;
    }
    if (!update.exposed.Empty()) {
        RenderStrip(update.exposed);
    }
}

void CVisualTreeCtrl::RenderStrip(const ContentStrip& strip) {
    CDC& dc = m_bandDc[m_bandIndex];
    dc.FillSolidRect(CRect(0, strip.top - m_band.Top(), m_surfaceSize.cx, strip.bottom - m_band.Top()),
                     kControlBackground);
    for (std::size_t i = FirstShownRowBelow(strip.top);
         i < m_shownRows.size() && m_shownRows[i]->item.rowTop < strip.bottom; ++i) {
        DrawItem(m_shownRows[i]);
    }
}

void CVisualTreeCtrl::DrawItem(VisualNode* node) {
    const CRect row = RowRect(node);
    if (!ResourcesReady() || !m_band.Valid() || m_band.Visible(row.top, row.bottom).Empty()) {
        return;
    }
    const VisualItem& item = node->item;
    CDC& dc = m_bandDc[m_bandIndex];
    const int dy = -m_band.Top();
    CRect r = row;
    r.OffsetRect(0, dy);

    const bool selected = node == m_selected;
    const COLORREF savedText = dc.GetTextColor();
    if (selected) {
        dc.SetTextColor(kSelectedTextColour);
    }
    dc.FillSolidRect(r, selected ? kSelectedRowColour : item.Background());

    DrawPicture(dc, GetCheck(node) != 0 ? m_checkedBitmap : m_uncheckedBitmap, r.left + kCheckPictureInset,
                r.top + kCheckPictureInset, kPictureKey);

    int x = r.left + kCheckColumnWidth;
    for (unsigned column = 0; column < m_columnCount; ++column) {
        if (column < item.columnTexts.size()) {
            dc.DrawText(item.columnTexts[column], CRect(x, r.top, x + kColumnTextWidth, r.bottom),
                        kColumnFormat);
        }
        x += kColumnPitch;
    }

    x += m_indent * item.level;
    if (node->HasChildren()) {
        DrawPicture(dc, item.expanded != 0 ? m_minusBitmap : m_plusBitmap, x + kExpanderLeft,
                    r.top + kExpanderTop, kExpanderKey);
    }
    const std::int32_t icon = selected ? item.selectedImage : item.image;
    if (icon >= 0 && static_cast<std::size_t>(icon) < m_images.size()) {
        DrawPicture(dc, m_images[static_cast<std::size_t>(icon)], x + kIconLeft, r.top + kIconTop,
                    kPictureKey);
    }

    // Words outside the band are placed but not drawn, so a very long title costs little when only
    // a few of its lines are in view.
    const CRect textArea(x + kTextLeft, r.top, r.right - kScrollBarWidth, r.bottom);
    const int bandHeight = m_band.Height();
    DrawWrappedText(textArea, item.text, [&](std::u16string_view word, const CRect& place) {
        if (place.bottom > 0 && place.top < bandHeight) {
            dc.DrawText(word, place, kWordFormat);
        }
    });

    if (!item.notes.empty()) {
        const CRect mark = NotesRect(node);
        DrawPicture(dc, m_notesBitmap, mark.left + kNotesPictureInset, mark.top + dy, kPictureKey);
    }
    if (selected) {
        dc.SetTextColor(savedText);
    }
}

void CVisualTreeCtrl::DrawScrollBar(CDC& dc) {
    if (!m_scrollBar.Visible()) {
        return;
    }
    dc.FillSolidRect(m_scrollBar.bar, kScrollBarBackground);
    const CRect& up = m_scrollBar.upArrow;
    const CRect& down = m_scrollBar.downArrow;
    const CSize arrowSize = m_arrowUpBitmap.GetSize();
    dc.TransparentImage(up.left, up.top, up.Width(), up.Height(), m_arrowUpBitmap, 0, 0, arrowSize.cx,
                        arrowSize.cy, kPictureKey);
    dc.TransparentImage(down.left, down.top, down.Width(), down.Height(), m_arrowDownBitmap, 0, 0,
                        arrowSize.cx, arrowSize.cy, kPictureKey);

    const CRect& thumb = m_scrollBar.thumb;
    const int width = thumb.Width();
    dc.BitBlt(thumb.left, thumb.top, width, kThumbCapHeight, &m_thumbDc[kThumbTop], 0, 0);
    const int bodyHeight = thumb.Height() - 2 * kThumbCapHeight;
    if (bodyHeight > 0) {
        dc.StretchBlt(thumb.left, thumb.top + kThumbCapHeight, width, bodyHeight, &m_thumbDc[kThumbBody], 0,
                      0, width, kThumbCapHeight);
    }
    dc.BitBlt(thumb.left, thumb.bottom - kThumbCapHeight, width, kThumbCapHeight, &m_thumbDc[kThumbBottom], 0,
              0);
}

void CVisualTreeCtrl::DrawGridAndFrame(CDC& dc, const CRect& client) {
    // The lines mark the right edges of the check box column and of each text column.
    if (m_checkBoxesShown != 0) {
        dc.MoveTo(client.left + kCheckColumnWidth, client.top);
        dc.LineTo(client.left + kCheckColumnWidth, client.bottom);
        for (unsigned column = 1; column <= m_columnCount; ++column) {
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
