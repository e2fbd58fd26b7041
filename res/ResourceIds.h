// The numbers of the program's resources: dialogs, controls, menus, commands, strings and pictures.
// Include as "res/ResourceIds.h" (the resource library puts the project folder on the include path).
#pragma once

#include <cstdint>

// --- Dialog templates --------------------------------------------------------------------------------
inline constexpr std::uint16_t IDD_LISTEDITOR = 102;   ///< the list editor
inline constexpr std::uint16_t IDD_LISTFILES = 129;    ///< the document list
inline constexpr std::uint16_t IDD_ABOUTBOX = 164;     ///< the about box
inline constexpr std::uint16_t IDD_ITEM_GENERAL = 169; ///< item details, "General" page
inline constexpr std::uint16_t IDD_ITEM_NOTES = 170;   ///< item details, "Notes" page

// --- Controls ----------------------------------------------------------------------------------------
inline constexpr std::uint16_t IDC_LISTFILES = 1000;       ///< document list: the rows
inline constexpr std::uint16_t IDC_TITLE = 1001;           ///< list editor: the title line
inline constexpr std::uint16_t IDC_ITEM_TITLE = 1003;      ///< "General" page: title edit
inline constexpr std::uint16_t IDC_ITEM_QUANTITY = 1004;   ///< "General" page: quantity edit
inline constexpr std::uint16_t IDC_IMPORTANCE_HIGH = 1005; ///< first of the importance radio group
inline constexpr std::uint16_t IDC_IMPORTANCE_NORMAL = 1006;
inline constexpr std::uint16_t IDC_IMPORTANCE_LOW = 1007;
inline constexpr std::uint16_t IDC_TASKS = 1012;        ///< list editor: the check-tree control
inline constexpr std::uint16_t IDC_BANNER = 1014;       ///< document list: the banner picture
inline constexpr std::uint16_t IDC_WEB_ADDRESS = 1015;  ///< about box
inline constexpr std::uint16_t IDC_PRODUCT_NAME = 1016; ///< about box
inline constexpr std::uint16_t IDC_VERSION = 1017;      ///< about box
inline constexpr std::uint16_t IDC_COMPANY = 1018;      ///< about box
inline constexpr std::uint16_t IDC_ITEM_NOTES = 1019;   ///< "Notes" page: notes edit

// --- Menus, menu bars, shortcuts, icon ------------------------------------------------------------------
inline constexpr std::uint16_t IDR_LISTFILES_MENU = 133;  ///< document list menu and its menu bar
inline constexpr std::uint16_t IDR_LISTEDITOR_MENU = 137; ///< list editor menu and its menu bar
inline constexpr std::uint16_t IDR_ACCELERATORS = 128;    ///< the program's one shortcut table
inline constexpr std::uint16_t IDR_MAINFRAME = 128;       ///< the application icon
inline constexpr std::uint16_t IDR_EDITOR_KEYS = 137;     ///< the list editor's desktop keys
inline constexpr std::uint16_t IDR_LISTFILES_KEYS = 133;  ///< the document list's desktop keys
/// Index of the "Document" popup in the document list menu (the tap-and-hold menu).
inline constexpr int kListFilesDocumentPopup = 1;
/// Index of the "Item" popup in the list editor menu (the tap-and-hold menu).
inline constexpr int kListEditorItemPopup = 1;

// --- Commands ----------------------------------------------------------------------------------------------
inline constexpr std::uint16_t ID_FILE_NEW = 57600;
inline constexpr std::uint16_t ID_FILE_OPEN = 57601;
inline constexpr std::uint16_t ID_FILE_CLOSE = 57602;
inline constexpr std::uint16_t ID_FILE_SAVE = 57603;
inline constexpr std::uint16_t ID_FILE_SAVE_AS = 57604;
inline constexpr std::uint16_t ID_APP_ABOUT = 57664;
inline constexpr std::uint16_t ID_EDIT_UNDO = 57643; ///< the desktop keyboard's undo (no menu item)
inline constexpr std::uint16_t ID_EDIT_REDO = 57644; ///< the desktop keyboard's redo (no menu item)
inline constexpr std::uint16_t ID_DOCUMENT_DELETE = 32783;
inline constexpr std::uint16_t ID_VIEW_REFRESH = 32802;
inline constexpr std::uint16_t ID_LIST_CHECKALL = 32807;
inline constexpr std::uint16_t ID_LIST_UNCHECKALL = 32808;
inline constexpr std::uint16_t ID_ITEM_ADDSUBITEM = 32826;
inline constexpr std::uint16_t ID_ITEM_EDIT = 32827;
inline constexpr std::uint16_t ID_ITEM_DELETE = 32828;
inline constexpr std::uint16_t ID_LIST_ADDITEM = 32830;
inline constexpr std::uint16_t ID_DOCUMENT_RENAME = 32831;
inline constexpr std::uint16_t ID_ITEM_MOVEUP = 32838;
inline constexpr std::uint16_t ID_ITEM_MOVEDOWN = 32839;
inline constexpr std::uint16_t ID_SHEET_OK = 32843; ///< OK button of the item details command bar
inline constexpr std::uint16_t ID_DOCUMENT_IMPORT = 32844;
inline constexpr std::uint16_t ID_DOCUMENT_EXPORT = 32845;

// --- Strings (those not named by a command above) -----------------------------------------------------
inline constexpr std::uint16_t IDS_MENU_NEW = 32776;          ///< "New" menu-bar button
inline constexpr std::uint16_t IDS_MENU_TOOLS = 32777;        ///< "Tools" menu-bar button
inline constexpr std::uint16_t IDS_MENU_VIEW = 32800;         ///< "View" menu-bar button
inline constexpr std::uint16_t IDS_MENU_DOCUMENT = 32836;     ///< "Document" menu-bar button
inline constexpr std::uint16_t IDS_LIST_EXTENSION = 57605;    ///< "crv": default extension of Save as
inline constexpr std::uint16_t IDS_LIST_PATTERN = 57606;      ///< "*.crv": the list-file pattern
inline constexpr std::uint16_t IDS_LIST_FILTER = 57607;       ///< Save as filter
inline constexpr std::uint16_t IDS_SAVE_CHANGES = 57608;      ///< close prompt, %s = list title
inline constexpr std::uint16_t IDS_RESTORE_CHANGES = 57609;   ///< restore question: %1 list, %2 copy's time
inline constexpr std::uint16_t IDS_COPY_NOT_MOVED = 57610;    ///< a list's copy left behind, %s = list
inline constexpr std::uint16_t IDS_DELETE_PROMPT = 57701;     ///< "Delete '%s'?"
inline constexpr std::uint16_t IDS_DELETE_FAILED = 57702;     ///< "File deletion failed"
inline constexpr std::uint16_t IDS_CHANGED_ELSEWHERE = 57740; ///< Save over another version, %s = list
inline constexpr std::uint16_t IDS_REGISTRY_KEY = 57703;      ///< "SOFTWARE\Tarrow\Corvina"
inline constexpr std::uint16_t IDS_INSTALL_DIR_VALUE = 57704; ///< "InstallDir"
inline constexpr std::uint16_t IDS_LISTS_SUBFOLDER = 57705;   ///< "\Lists"
inline constexpr std::uint16_t IDS_ITEM_DETAILS = 57706;      ///< "Item Details": the sheet's caption
inline constexpr std::uint16_t IDS_PROGRAM_VERSION = 57720;   ///< "Version 1.06": --version and the about box
inline constexpr std::uint16_t IDS_UNTITLED = 61443;          ///< "Untitled"
inline constexpr std::uint16_t IDS_POSITIVE_INTEGER = 61719;  ///< quantity refused
inline constexpr std::uint16_t IDS_MY_DOCUMENTS =
    65283; ///< "\My Documents": folder without an install folder

// --- Pictures ---------------------------------------------------------------------------------------------
inline constexpr std::uint16_t IDB_BANNER = 131;            ///< 240 x 22: dots and name on a pale green band
inline constexpr std::uint16_t IDB_LIST_ICON = 136;         ///< 13 x 16: a page with bullet lines
inline constexpr std::uint16_t IDB_IMPORTANCE_HIGH = 139;   ///< 12 x 12, red key
inline constexpr std::uint16_t IDB_IMPORTANCE_LOW = 140;    ///< 12 x 12, red key
inline constexpr std::uint16_t IDB_IMPORTANCE_NORMAL = 141; ///< 12 x 12, all key colour
inline constexpr std::uint16_t IDB_TITLE_BACKGROUND = 148;  ///< 240 x 28
inline constexpr std::uint16_t IDB_LIST_BACKGROUND = 149;   ///< 480 x 8, tiled down the document list
inline constexpr std::uint16_t IDB_CHECKED = 150;
inline constexpr std::uint16_t IDB_UNCHECKED = 151;
inline constexpr std::uint16_t IDB_EXPANDED = 152;
inline constexpr std::uint16_t IDB_COLLAPSED = 153;
inline constexpr std::uint16_t IDB_SCROLL_DOWN = 155;
inline constexpr std::uint16_t IDB_SCROLL_UP = 156;
inline constexpr std::uint16_t IDB_THUMB_TOP = 157;
inline constexpr std::uint16_t IDB_THUMB_MIDDLE = 158;
inline constexpr std::uint16_t IDB_THUMB_BOTTOM = 159;
inline constexpr std::uint16_t IDB_EDITOR_TOOLBAR = 160;   ///< 48 x 16 strip: plus, up, down
inline constexpr std::uint16_t IDB_ABOUT = 165;            ///< 50 x 75: page with dots and the name
inline constexpr std::uint16_t IDB_SHEET_COMMANDBAR = 171; ///< 32 x 16 strip: cross, check
inline constexpr std::uint16_t IDB_NOTES_MARK = 173;
