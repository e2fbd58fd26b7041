// The program's resources as data: the string table, dialog templates, menus, menu-bar records and
// keyboard shortcut tables, and their lookup by number. The tables themselves live in res/ and are
// installed once at start-up (InstallProgramResources); pictures are loaded by CBitmap.
#pragma once

#include "platform/ui/Accelerators.h" // FVIRTKEY, FSHIFT, FCONTROL, FALT
#include "platform/ui/WinTypes.h"
#include "platform/ui/WindowStyles.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Window and control styles, class names, virtual keys and shortcut flags come from the window
// framework.

/// Styles a template uses beyond those of the window framework.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;

/// The id of a control the program never addresses (labels, pictures, group boxes).
inline constexpr std::uint16_t IDC_STATIC = 0xFFFF;

// --- Records ---------------------------------------------------------------------------------------

/// One numbered text of the string table.
struct StringResource {
    std::uint16_t id;
    std::u16string_view text;
};

/// One control of a dialog template. Position and size are dialog units.
struct DialogItemTemplate {
    std::uint16_t id; ///< control id; IDC_STATIC when nothing addresses it
    std::u16string_view
        className; ///< kStaticClass, kEditClass, kButtonClass, kListViewClass or a registered class
    std::u16string_view text;  ///< the control's initial text
    std::int16_t x, y, cx, cy; ///< dialog units
    std::uint32_t style;       ///< WS_*, and SS_*, ES_*, BS_* or LVS_* for its class
    std::uint32_t exStyle = 0;
    std::uint16_t resourceId = 0; ///< the bitmap an SS_BITMAP static shows, else 0
};

/// A dialog template: a screen built from controls. Size in dialog units.
struct DialogTemplate {
    std::uint16_t id;
    std::u16string_view caption;
    std::int16_t cx, cy;                       ///< dialog units
    std::uint32_t style;                       ///< WS_* and DS_*
    std::uint32_t exStyle;                     ///< WS_EX_*
    std::u16string_view fontFace;              ///< dialog font face, with DS_SETFONT
    std::uint16_t fontPointSize;               ///< dialog font size in points, with DS_SETFONT
    std::span<const DialogItemTemplate> items; ///< in tab order
};

/// Menu item flags.
inline constexpr std::uint16_t MF_SEPARATOR = 0x0800;
inline constexpr std::uint16_t MF_POPUP = 0x0010;

/// One item of a menu: a command, a separator or a popup with its own items.
struct MenuItemTemplate {
    std::uint16_t flags;                          ///< 0, MF_SEPARATOR or MF_POPUP
    std::uint16_t command;                        ///< command id; 0 for separators and popups
    std::u16string_view text;                     ///< may hold "&" before an access letter
    std::span<const MenuItemTemplate> popup = {}; ///< the items of a popup
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsPopup() const { return (flags & MF_POPUP) != 0; }
};

/// A menu resource: its top-level items (popups, for a menu bar).
struct MenuTemplate {
    std::uint16_t id;
    std::span<const MenuItemTemplate> items;
};

/// One drop-down button of a menu bar: it opens a popup of the menu bar's menu.
struct MenuBarButtonTemplate {
    std::uint16_t labelStringId; ///< string-table id of the label; 0 takes the popup's title
    std::uint16_t popupIndex;    ///< index of the popup in the menu
};

/// A menu-bar record: which menu a screen's menu bar is built from, and its buttons in order.
struct MenuBarTemplate {
    std::uint16_t id;     ///< the number a screen asks for: the same as its menu's
    std::uint16_t menuId; ///< the menu whose popups the buttons open
    std::span<const MenuBarButtonTemplate> buttons;
};

/// One keyboard shortcut: a key with exactly these modifiers issues a command.
struct AcceleratorEntry {
    std::uint8_t flags; ///< FVIRTKEY plus the modifiers that must be held (others must not)
    std::uint16_t key;  ///< virtual key code (VK_RETURN, ...)
    std::uint16_t command;
};

/// A keyboard shortcut table.
struct AcceleratorTable {
    std::uint16_t id;
    std::span<const AcceleratorEntry> entries;
};

/// Every table of the program's resources.
struct ResourceTables {
    std::span<const StringResource> strings;
    std::span<const DialogTemplate> dialogs;
    std::span<const MenuTemplate> menus;
    std::span<const MenuBarTemplate> menuBars;
    std::span<const AcceleratorTable> accelerators;
};

// --- Installation and lookup -----------------------------------------------------------------------

/// Makes these tables the ones every lookup below reads. The tables must outlive every lookup (the
/// program's own are static data).
void InstallResources(const ResourceTables& tables);
/// The program's own tables (defined in res/, library corvina_res).
const ResourceTables& ProgramResources();
/// Installs the program's own tables. The program and the UI test mains call it once at start-up.
void InstallProgramResources();

/// The text of string `id`, or nothing when the table has no such string.
std::optional<std::u16string_view> FindStringResource(std::uint16_t id);
/// The text of string `id` as a string of its own; empty when the table has no such string.
std::u16string LoadStringResource(std::uint16_t id);
/// Dialog template `id`, or null.
const DialogTemplate* FindDialogTemplate(std::uint16_t id);
/// Menu `id`, or null.
const MenuTemplate* FindMenu(std::uint16_t id);
/// Menu-bar record `id`, or null.
const MenuBarTemplate* FindMenuBar(std::uint16_t id);
/// Shortcut table `id`, or null.
const AcceleratorTable* FindAcceleratorTable(std::uint16_t id);

/// A menu item's text with the access-letter ampersands taken out ("&&" keeps one ampersand).
std::u16string StripMenuAmpersands(std::u16string_view text);
/// The label of a menu-bar button: its string-table label, else its popup's title, without
/// ampersands; empty when the menu or popup does not exist.
std::u16string MenuBarButtonLabel(const MenuBarTemplate& bar, const MenuBarButtonTemplate& button);
