// Pen input and background of the document list's rows.
#include "shell/ListFilesCtrl.h"

#include "platform/ui/DC.h"
#include "platform/ui/Gesture.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScopedSelect.h"
#include "res/ResourceIds.h"

CListFilesCtrl::CListFilesCtrl() {
    m_background.LoadBitmap(IDB_LIST_BACKGROUND);
}

CListFilesCtrl::~CListFilesCtrl() = default;

void CListFilesCtrl::OnLButtonDown(UINT /*flags*/, CPoint point) {
    PenDownOnRows(point);
}

void CListFilesCtrl::OnLButtonDblClk(UINT /*flags*/, CPoint point) {
    // The second tap of a double tap selects as any tap does; held, it is a hold and opens nothing.
    if (!PenDownOnRows(point) && HitTest(point) >= 0) {
        NotifyParent(NM_DBLCLK);
    }
}

bool CListFilesCtrl::PenDownOnRows(CPoint point) {
    // The list view's own pen handling is skipped on purpose: it would clear the selection on a tap
    // below the last row, and the Document menu there acts on the row still selected.
    const int row = HitTest(point);
    if (row >= 0) {
        SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        SetFocus();
    }
    SHRGINFO request;
    request.hwndClient = this;
    request.ptDown = point;
    request.dwFlags = SHRG_RETURNCMD;
    if (SHRecognizeGesture(request) != GN_CONTEXTMENU) {
        return false;
    }
    ShowDocumentMenu(point);
    return true;
}

void CListFilesCtrl::ShowDocumentMenu(CPoint clientPoint) {
    CPoint screenPoint = clientPoint;
    ClientToScreen(&screenPoint);
    TrackResourcePopupMenu(IDR_LISTFILES_MENU, kListFilesDocumentPopup, screenPoint, GetParent());
}

bool CListFilesCtrl::OnEraseBkgnd(CDC& dc) {
    CDC memory;
    if (m_background.IsNull() || !memory.CreateCompatibleDC(&dc)) {
        return false;
    }
    const ScopedSelect tile(memory, &m_background);
    CRect client;
    GetClientRect(&client);
    const CSize tileSize = m_background.GetSize();
    for (int y = client.top; y < client.bottom; y += tileSize.cy) {
        dc.BitBlt(0, y, tileSize.cx, tileSize.cy, &memory, 0, 0);
    }
    return true;
}
