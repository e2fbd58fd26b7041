// CVisualTreeCtrl input: pen taps on rows and on the scroll bar, the repeat timers, thumb drags,
// check changes and the notifications the owner receives.
#include "treectrl/VisualTreeCtrl.h"

#include "platform/ui/Gesture.h"

using namespace treectrl;

namespace {

/// The scroll-bar parts in the order they are tested.
constexpr std::int32_t kPartsInOrder[] = {kPartUpArrow, kPartDownArrow, kPartThumb};

UINT_PTR TimerOfPart(std::int32_t part) {
    return kFirstRepeatTimerId + static_cast<UINT_PTR>(part);
}

} // namespace

const CRect& CVisualTreeCtrl::ScrollPartRect(std::int32_t part) const {
    switch (part) {
    case kPartUpArrow:
        return m_scrollBar.upArrow;
    case kPartDownArrow:
        return m_scrollBar.downArrow;
    default:
        return m_scrollBar.thumb;
    }
}

std::int32_t CVisualTreeCtrl::ScrollPartAt(CPoint point) const {
    for (std::int32_t part : kPartsInOrder) {
        if (ScrollPartRect(part).PtInRect(point)) {
            return part;
        }
    }
    return kNoPart;
}

void CVisualTreeCtrl::StartRepeat(std::int32_t part, CPoint point) {
    const bool atTop = m_scrollOffset == 0;
    const bool atBottom = m_scrollOffset >= m_contentRect.Height() - m_viewRect.Height();
    if ((part == kPartUpArrow && atTop) || (part == kPartDownArrow && atBottom)) {
        return;
    }
    if (part == kPartThumb) {
        m_lastDragPoint = point;
    }
    // A pen-up that never arrived must not leave an earlier part repeating beside this one.
    StopRepeat();
    SetTimer(TimerOfPart(part), kRepeatPeriodMs);
    m_pressedPart = part;
}

void CVisualTreeCtrl::StopRepeat() {
    if (m_pressedPart == kNoPart) {
        return;
    }
    KillTimer(TimerOfPart(m_pressedPart));
    m_pressedPart = kNoPart;
}

void CVisualTreeCtrl::ScrollBy(std::int32_t delta) {
    // Where the content ends, and so how far it scrolls, needs every row placed.
    EnsureWholeLayout();
    m_scrollOffset += delta;
    ClampScroll();
    if (HasWindow()) {
        InvalidateRect(nullptr, false);
        UpdateWindow();
    }
}

void CVisualTreeCtrl::RequestTapAndHold(CPoint point) {
    SHRGINFO request;
    request.hwndClient = this;
    request.ptDown = point;
    request.dwFlags = SHRG_NOTIFYPARENT;
    if (SHRecognizeGesture(request) == GN_CONTEXTMENU) {
        CWnd::OnLButtonDown(MK_LBUTTON, point);
    }
}

void CVisualTreeCtrl::OnLButtonDown(UINT, CPoint point) {
    EnsureLayout();
    if (m_scrollBar.bar.PtInRect(point)) {
        // The track between the arrows and the thumb does nothing, and rows under the bar cannot
        // be tapped while it shows.
        const std::int32_t part = ScrollPartAt(point);
        if (part != kNoPart) {
            // A scroll starts: the arrows stop at the content's end and the thumb moves by its
            // scale, which both come from every row's height.
            EnsureWholeLayout();
            StartRepeat(part, point);
        }
        return;
    }
    UINT flags = 0;
    VisualNode* row = HitTest(point, &flags);
    if (row != nullptr) {
        // A desktop keyboard goes on where the pen was.
        SetFocus();
    }
    if (row != nullptr && (flags & VTHT_ONCHECKBOX) != 0) {
        SetCheck(row, GetCheck(row) != 0 ? 0 : 1, false);
        return;
    }
    if (row != nullptr && (flags & VTHT_ONEXPANDER) != 0) {
        Expand(row, row->item.expanded == 0);
        return;
    }
    if (row != nullptr) {
        SelectRow(row);
    }
    RequestTapAndHold(point);
}

void CVisualTreeCtrl::SelectRow(VisualNode* row) {
    VisualNode* previous = m_selected;
    m_selected = row;
    RedrawItem(row);
    if (previous != nullptr && previous != row) {
        RedrawItem(previous);
    }
}

void CVisualTreeCtrl::OnLButtonUp(UINT flags, CPoint point) {
    // The press that started a repeat ends it wherever the pen is lifted, so a pen slid off an
    // arrow never leaves the list scrolling.
    if (m_pressedPart != kNoPart) {
        StopRepeat();
        return;
    }
    EnsureLayout();
    if (m_scrollBar.bar.PtInRect(point) && ScrollPartAt(point) != kNoPart) {
        return;
    }
    UINT hit = 0;
    VisualNode* row = HitTest(point, &hit);
    if (row != nullptr && (hit & VTHT_ONNOTES) != 0) {
        NotifyParent(VTN_NOTESCLICKED);
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

void CVisualTreeCtrl::OnMouseMove(UINT flags, CPoint point) {
    if (m_pressedPart == kPartThumb) {
        EnsureWholeLayout();
    } else {
        EnsureLayout();
    }
    if (m_pressedPart == kPartThumb && m_scrollBar.thumb.PtInRect(point) && m_scrollBar.scale > 0.0f) {
        const float moved = static_cast<float>(point.y - m_lastDragPoint.y) / m_scrollBar.scale;
        m_lastDragPoint = point;
        ScrollBy(static_cast<std::int32_t>(moved));
    }
    CWnd::OnMouseMove(flags, point);
}

void CVisualTreeCtrl::OnTimer(UINT_PTR id) {
    if (id == TimerOfPart(kPartUpArrow)) {
        ScrollBy(-kArrowStep);
    } else if (id == TimerOfPart(kPartDownArrow)) {
        ScrollBy(kArrowStep);
    } else if (id == TimerOfPart(kPartThumb)) {
        ScrollBy(0);
    }
    CWnd::OnTimer(id);
}

bool CVisualTreeCtrl::OnMouseWheel(UINT, int delta, CPoint) {
    // Turning away from the user shows what is above, as everywhere on a desktop.
    ScrollBy(-delta * kWheelStep / WHEEL_DELTA);
    return true;
}

std::optional<BYTE> CVisualTreeCtrl::WriteCheck(VisualNode* node, BYTE state) {
    if (node->item.checkedFlag == nullptr) {
        return std::nullopt;
    }
    const BYTE before = *node->item.checkedFlag;
    *node->item.checkedFlag = state;
    return before;
}

void CVisualTreeCtrl::NotifyCheckChanged(CWnd* parent, VisualNode* node, BYTE before) {
    // The owner hears which row changed and from what, so it can put the flag back.
    NMVTCHECK change{{this, GetDlgCtrlID(), VTN_CHECKCHANGED}, node, before};
    SendNotifyTo(parent, change.hdr);
}

void CVisualTreeCtrl::WriteChecksBelow(CWnd* parent, VisualNode& top, BYTE state) {
    // A row without a flag keeps its sub-rows as they are.
    WalkPreOrder(top, [&](VisualNode& row, std::size_t) {
        const std::optional<BYTE> before = WriteCheck(&row, state);
        if (!before) {
            return false;
        }
        NotifyCheckChanged(parent, &row, *before);
        return true;
    });
}

void CVisualTreeCtrl::RepaintRowsInView() {
    // A check changes no row's height: the layout stands, only the rows in view are drawn again.
    m_band.Invalidate();
    Repaint();
}

void CVisualTreeCtrl::SetCheck(VisualNode* node, BYTE state, bool recurse) {
    const std::optional<BYTE> before = WriteCheck(node, state);
    if (!before) {
        return;
    }
    // Looked up once: Check all sends a notification for every row of the list.
    CWnd* const parent = GetParent();
    if (!recurse) {
        RedrawItem(node);
        NotifyCheckChanged(parent, node, *before);
        return;
    }
    NotifyCheckChanged(parent, node, *before);
    WriteChecksBelow(parent, *node, state);
    RepaintRowsInView();
}

void CVisualTreeCtrl::CheckAll(BYTE state) {
    WriteChecksBelow(GetParent(), m_tree.root, state);
    RepaintRowsInView();
}
