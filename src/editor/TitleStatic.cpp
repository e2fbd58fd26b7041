// The list editor's title bar: picture and title.
#include "editor/TitleStatic.h"

#include "platform/ui/DC.h"

namespace {

constexpr unsigned kTitleFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

CTitleStatic::CTitleStatic() {
    background_.LoadBitmap(kBackgroundBitmap);
}

CTitleStatic::~CTitleStatic() = default;

void CTitleStatic::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);

    if (!background_.IsNull()) {
        CDC memory;
        if (memory.CreateCompatibleDC(&dc)) {
            CBitmap* previous = memory.SelectObject(&background_);
            const CSize picture = background_.GetSize();
            dc.BitBlt(client.left, client.top, picture.cx, picture.cy, &memory, 0, 0);
            if (previous != nullptr) {
                memory.SelectObject(previous);
            }
            memory.DeleteDC();
        }
    }

    CRect textRect = client;
    textRect.left += kTextIndent;
    CFont* previousFont = nullptr;
    if (CFont* font = GetFont()) {
        previousFont = dc.SelectObject(font);
    }
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(GetWindowText(), textRect, kTitleFormat);
    dc.SetBkMode(previousMode);
    if (previousFont != nullptr) {
        dc.SelectObject(previousFont);
    }
}
