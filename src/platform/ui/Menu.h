// CMenu: a menu loaded from a menu resource, its popups, and the context menu shown at a point.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;

/// TrackPopupMenu flags: the point is the menu's top-left corner; answer the command instead of
/// sending it.
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_RETURNCMD = 0x0100;

/// A menu: items in order, each a command, a separator or a popup (a sub-menu with a title).
class CMenu {
public:
    /// One entry of a menu.
    struct Item {
        std::u16string text;          ///< label as in the resource, ampersands included
        UINT commandId = 0;           ///< command sent when chosen (0 for separators and popups)
        bool separator = false;       ///< a dividing line
        std::unique_ptr<CMenu> popup; ///< the sub-menu of a popup entry, else null
    };

    CMenu();
    ~CMenu();
    CMenu(CMenu&&) noexcept;
    CMenu& operator=(CMenu&&) noexcept;

    /// Loads menu resource `menuId`, replacing the contents; false when it does not exist.
    bool LoadMenu(UINT menuId);
    /// Empties the menu.
    void DestroyMenu();
    /// Appends an entry (used by LoadMenu and by code that builds a menu itself).
    void AppendItem(Item item);
    /// The popup at `position`, or null when that entry is not a popup.
    CMenu* GetSubMenu(int position) const;
    int GetMenuItemCount() const;
    /// The command id at `position` (0 for a separator or popup, -1 past the end as UINT).
    UINT GetMenuItemID(int position) const;
    const std::vector<Item>& Items() const { return m_items; }

    /// Shows the menu as a context menu with its top-left corner at screen point (x, y) and blocks
    /// until it closes. Before it opens, each command item is enabled by the owner's enabling rules
    /// (IsCommandEnabled). The chosen command is sent to `owner` (answer nonzero), or with
    /// TPM_RETURNCMD returned instead. Answers 0 when nothing was chosen.
    UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;

private:
    std::vector<Item> m_items; ///< the entries, in order
};

/// The context menu of a tap-and-hold: loads menu `menuId`, shows its popup at `popupIndex` with its
/// top-left corner at `screenPoint` (commands to `owner`, enabled by its rules) and frees the loaded
/// menu when it closes. Answers the command chosen, 0 when none (or no such menu or popup).
UINT TrackResourcePopupMenu(UINT menuId, int popupIndex, CPoint screenPoint, CWnd* owner);
