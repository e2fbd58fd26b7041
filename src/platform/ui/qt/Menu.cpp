// CMenu: menus from menu resources, and showing one as a context menu.
#include "platform/ui/Menu.h"

#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/qt/PopupMenu.h"

namespace {
void AppendTemplateItems(CMenu& menu, std::span<const MenuItemTemplate> items) {
    for (const MenuItemTemplate& source : items) {
        CMenu::Item item;
        item.text = std::u16string(source.text);
        item.separator = source.IsSeparator();
        if (source.IsPopup()) {
            item.popup = std::make_unique<CMenu>();
            AppendTemplateItems(*item.popup, source.popup);
        } else {
            item.commandId = source.command;
        }
        menu.AppendItem(std::move(item));
    }
}
} // namespace

CMenu::CMenu() = default;
CMenu::~CMenu() = default;
CMenu::CMenu(CMenu&&) noexcept = default;
CMenu& CMenu::operator=(CMenu&&) noexcept = default;

bool CMenu::LoadMenu(UINT menuId) {
    DestroyMenu();
    const MenuTemplate* source = FindMenu(static_cast<std::uint16_t>(menuId));
    if (source == nullptr) {
        return false;
    }
    AppendTemplateItems(*this, source->items);
    return true;
}

void CMenu::DestroyMenu() {
    m_items.clear();
}

void CMenu::AppendItem(Item item) {
    m_items.push_back(std::move(item));
}

CMenu* CMenu::GetSubMenu(int position) const {
    if (position < 0 || position >= GetMenuItemCount()) {
        return nullptr;
    }
    return m_items[static_cast<std::size_t>(position)].popup.get();
}

int CMenu::GetMenuItemCount() const {
    return static_cast<int>(m_items.size());
}

UINT CMenu::GetMenuItemID(int position) const {
    if (position < 0 || position >= GetMenuItemCount()) {
        return static_cast<UINT>(-1);
    }
    return m_items[static_cast<std::size_t>(position)].commandId;
}

UINT CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const {
    const UINT chosen = platform::RunPopupMenu(*this, QPoint(x, y), platform::PopupAnchor::TopLeft, owner);
    if (chosen == 0 || (flags & TPM_RETURNCMD) != 0) {
        return chosen;
    }
    if (owner != nullptr) {
        owner->SendCommand(chosen);
    }
    return chosen;
}

UINT TrackResourcePopupMenu(UINT menuId, int popupIndex, CPoint screenPoint, CWnd* owner) {
    CMenu menu;
    if (!menu.LoadMenu(menuId)) {
        return 0;
    }
    const CMenu* popup = menu.GetSubMenu(popupIndex);
    if (popup == nullptr) {
        return 0;
    }
    return popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint.x, screenPoint.y, owner);
}
