// The program's menus and the menu-bar records built from them.
#include "res/ProgramTables.h"
#include "res/ResourceIds.h"

namespace {

constexpr MenuItemTemplate kSeparator{MF_SEPARATOR, 0, u""};

// Document list.
constexpr MenuItemTemplate kListFilesNew[] = {
    {0, ID_FILE_NEW, u"Create New List"},
    kSeparator,
    {0, ID_DOCUMENT_IMPORT, u"Import..."},
};
constexpr MenuItemTemplate kListFilesDocument[] = {
    {0, ID_FILE_OPEN, u"Open"},
    {0, ID_DOCUMENT_RENAME, u"Rename"},
    kSeparator,
    {0, ID_DOCUMENT_EXPORT, u"Export..."},
    kSeparator,
    {0, ID_DOCUMENT_DELETE, u"Delete"},
};
constexpr MenuItemTemplate kListFilesView[] = {
    {0, ID_VIEW_REFRESH, u"Refresh"},
};
constexpr MenuItemTemplate kListFilesTools[] = {
    {0, ID_APP_ABOUT, u"About Corvina"},
};
constexpr MenuItemTemplate kListFilesMenu[] = {
    {MF_POPUP, 0, u"New", kListFilesNew},
    {MF_POPUP, 0, u"Document", kListFilesDocument},
    {MF_POPUP, 0, u"View", kListFilesView},
    {MF_POPUP, 0, u"Tools", kListFilesTools},
};

// List editor.
constexpr MenuItemTemplate kListEditorList[] = {
    {0, ID_LIST_ADDITEM, u"Add Item"},
    kSeparator,
    {0, ID_LIST_CHECKALL, u"Check all items"},
    {0, ID_LIST_UNCHECKALL, u"Uncheck all items"},
    kSeparator,
    {0, ID_FILE_SAVE, u"Save"},
    {0, ID_FILE_SAVE_AS, u"Save as..."},
    {0, ID_FILE_CLOSE, u"Close"},
};
constexpr MenuItemTemplate kListEditorItem[] = {
    {0, ID_ITEM_ADDSUBITEM, u"Add Subitem"}, kSeparator, {0, ID_ITEM_EDIT, u"Edit Item"},
    {0, ID_ITEM_DELETE, u"Delete Item"},     kSeparator, {0, ID_ITEM_MOVEUP, u"Move up"},
    {0, ID_ITEM_MOVEDOWN, u"Move down"},
};
constexpr MenuItemTemplate kListEditorMenu[] = {
    {MF_POPUP, 0, u"List", kListEditorList},
    {MF_POPUP, 0, u"Item", kListEditorItem},
};

constexpr MenuTemplate kMenus[] = {
    {IDR_LISTFILES_MENU, kListFilesMenu},
    {IDR_LISTEDITOR_MENU, kListEditorMenu},
};

// The document list's buttons carry labels of their own; the editor's take the popup titles.
constexpr MenuBarButtonTemplate kListFilesButtons[] = {
    {IDS_MENU_NEW, 0},
    {IDS_MENU_DOCUMENT, 1},
    {IDS_MENU_VIEW, 2},
    {IDS_MENU_TOOLS, 3},
};
constexpr MenuBarButtonTemplate kListEditorButtons[] = {
    {0, 0},
    {0, 1},
};

constexpr MenuBarTemplate kMenuBars[] = {
    {IDR_LISTFILES_MENU, IDR_LISTFILES_MENU, kListFilesButtons},
    {IDR_LISTEDITOR_MENU, IDR_LISTEDITOR_MENU, kListEditorButtons},
};

} // namespace

std::span<const MenuTemplate> ProgramMenus() {
    return kMenus;
}
std::span<const MenuBarTemplate> ProgramMenuBars() {
    return kMenuBars;
}
