// CListFilesCtrl: the document list's rows over a finely ruled pale-blue background, with the
// tap-and-hold Document menu.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/ListCtrl.h"

/// The list view of the document list screen. A pen down selects the row under it (never clearing
/// the selection outside the rows) and, when it turns out to be a tap-and-hold, opens the Document
/// menu at the pen; a double tap on a row tells the screen NM_DBLCLK; the background is the ruled tile
/// repeated downwards.
class CListFilesCtrl : public CListCtrl {
public:
    CListFilesCtrl();
    ~CListFilesCtrl() override;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    bool OnEraseBkgnd(CDC& dc) override;

private:
    /// Selects the row under a pen down and waits for the gesture; true when it was a hold (the
    /// Document menu has then been shown).
    bool PenDownOnRows(CPoint point);
    /// Shows the Document popup of the menu with its top-left corner at `clientPoint`; its commands
    /// go to the screen.
    void ShowDocumentMenu(CPoint clientPoint);

    CBitmap m_background; ///< 480 x 8: the ruled background tile
};
