// CStatic: static text (left or centred, several lines, no prefix processing) or a picture.
#pragma once

#include "platform/ui/Wnd.h"

/// A static control. With SS_BITMAP it shows a bitmap resource at its top-left corner, clipped to
/// the control; otherwise its window text in its font, word-wrapped at the control's width, with
/// "\n" starting a new line and "&" drawn as it is.
class CStatic : public CWnd {
public:
    /// Shows bitmap resource `bitmapId` (the control becomes a picture). False when it does not exist.
    bool SetBitmap(UINT bitmapId);

protected:
    void OnPaint(CDC& dc) override;
    bool OnEraseBkgnd(CDC& dc) override;
};
