// CCommandBar: image buttons placed in the owning screen's menu bar.
#include "platform/ui/CommandBar.h"

bool CCommandBar::Create(CDialog* screen) {
    m_screen = screen;
    return screen != nullptr;
}

bool CCommandBar::AddButtons(UINT bitmapId, std::span<const ToolButton> buttons) {
    return m_screen != nullptr && m_screen->AddToolButtons(bitmapId, buttons);
}
