// CTitleStatic: the list editor's title bar, a static text control that paints its picture across
// the top and draws the list's title over it, right of the picture's icon.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Static.h"

/// The title bar. Its text and font are the window text and the font given with SetFont.
class CTitleStatic : public CStatic {
public:
    /// The title starts this far right of the control's left edge, past the picture's icon.
    static constexpr int kTextIndent = 26;

    /// Loads the picture.
    CTitleStatic();
    ~CTitleStatic() override;

protected:
    /// Paints the picture (never scaled, never beyond its own 240 x 28 pixels) and the title over
    /// it: one line, vertically centred, ampersands as they are, clipped at the control's edge.
    void OnPaint(CDC& dc) override;

private:
    CBitmap m_background; // 240 x 28; empty when the picture is missing
};
