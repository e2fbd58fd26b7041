// The list editor's title bar: picture and title.
#include "editor/TitleStatic.h"

#include "platform/ui/DC.h"
#include "platform/ui/ScopedSelect.h"
#include "res/ResourceIds.h"

namespace {

constexpr unsigned kTitleFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

} // namespace

CTitleStatic::CTitleStatic() {
    m_background.LoadBitmap(IDB_TITLE_BACKGROUND);
}

CTitleStatic::~CTitleStatic() = default;

void CTitleStatic::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);

    if (!m_background.IsNull()) {
        CDC memory;
        if (memory.CreateCompatibleDC(&dc)) {
            const ScopedSelect picture(memory, &m_background);
            const CSize size = m_background.GetSize();
            dc.BitBlt(client.left, client.top, size.cx, size.cy, &memory, 0, 0);
        }
    }

    CRect textRect = client;
    textRect.left += kTextIndent;
    const ScopedSelect font(dc, GetFont());
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(GetWindowText(), textRect, kTitleFormat);
    dc.SetBkMode(previousMode);
}
