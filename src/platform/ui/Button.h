// CButton: push button, radio button, check box or group box, as the style says.
#pragma once

#include "platform/ui/Wnd.h"

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

/// A button control. A push button sends its id as a command to its parent when tapped; an
/// automatic radio button checks itself and unchecks the others of its group (the buttons from a
/// WS_GROUP button up to the next) when tapped; a group box is a titled frame.
class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int state);

protected:
    void OnPaint(CDC& dc) override;
    bool OnEraseBkgnd(CDC& dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
};
