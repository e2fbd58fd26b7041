// The program's dialog templates: the document list, the about box, the list editor and the two
// item details pages. Positions and sizes are dialog units.
#include "res/ProgramTables.h"
#include "res/ResourceIds.h"

namespace {

/// Every screen names the device's dialog font.
constexpr std::u16string_view kDialogFace = u"System";
constexpr std::uint16_t kDialogPointSize = 8;
/// A full-screen screen, and a property page inside a sheet.
constexpr DWORD kScreenStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT | DS_MODALFRAME;
constexpr DWORD kPageStyle = WS_CHILD | DS_SETFONT;
/// Child controls.
constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
/// A label: a static text that ends the radio group before it, as labels do.
constexpr DWORD kLabel = kControl | SS_LEFT | WS_GROUP;
/// The class the check-tree control registers itself under.
constexpr std::u16string_view kVisualTreeClass = u"MFCVisualTreeCtrl";

// Document list.
constexpr DialogItemTemplate kListFilesItems[] = {
    {IDC_BANNER, kStaticClass, u"", 0, 0, 160, 14, kControl | SS_BITMAP, 0, IDB_BANNER},
    {IDC_LISTFILES, kListViewClass, u"", 0, 12, 138, 142,
     kControl | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER},
};

// About box.
constexpr DialogItemTemplate kAboutItems[] = {
    {IDC_STATIC, kStaticClass, u"", 23, 11, 33, 46, kControl | SS_BITMAP, 0, IDB_ABOUT},
    {IDC_PRODUCT_NAME, kStaticClass, u"Corvina", 65, 21, 50, 12, kControl | SS_LEFT},
    {IDC_VERSION, kStaticClass, kProgramVersionText, 68, 33, 46, 8, kControl | SS_LEFT},
    {IDC_STATIC, kStaticClass, u"Full support and User manual\nare available on our web-site:", 14, 67, 110,
     18, kControl | SS_CENTER},
    {IDC_WEB_ADDRESS, kStaticClass, u"tarrow.example", 29, 85, 82, 8, kControl | SS_LEFT},
    {IDC_COMPANY, kStaticClass, u"Tarrow Software\nVisit us at tarrow.example", 6, 128, 127, 18,
     kControl | SS_CENTER},
};

// List editor.
constexpr DialogItemTemplate kListEditorItems[] = {
    {IDC_TITLE, kStaticClass, u"Document Title", 0, 0, 139, 16, kControl | SS_LEFT},
    {IDC_TASKS, kVisualTreeClass, u"Tasks", 0, 16, 139, 138, kControl | WS_TABSTOP},
};

// Item details, "General" page.
constexpr DialogItemTemplate kItemGeneralItems[] = {
    {IDC_ITEM_TITLE, kEditClass, u"", 48, 9, 76, 14, kControl | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_ITEM_QUANTITY, kEditClass, u"", 48, 26, 76, 14,
     kControl | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP},
    {IDC_STATIC, kButtonClass, u"Importance", 18, 41, 109, 49, WS_CHILD | BS_GROUPBOX},
    {IDC_IMPORTANCE_HIGH, kButtonClass, u"High importance", 22, 50, 82, 10,
     kControl | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {IDC_IMPORTANCE_NORMAL, kButtonClass, u"Normal importance", 22, 64, 83, 10,
     kControl | BS_AUTORADIOBUTTON | WS_TABSTOP},
    {IDC_IMPORTANCE_LOW, kButtonClass, u"Low importance", 22, 78, 79, 11,
     kControl | BS_AUTORADIOBUTTON | WS_TABSTOP},
    {IDC_STATIC, kStaticClass, u"Title", 18, 12, 20, 8, kLabel},
    {IDC_STATIC, kStaticClass, u"Quantity", 18, 28, 29, 8, kLabel},
};

// Item details, "Notes" page.
constexpr DialogItemTemplate kItemNotesItems[] = {
    {IDC_ITEM_NOTES, kEditClass, u"", 3, 3, 132, 90,
     kControl | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | ES_AUTOVSCROLL | WS_BORDER | WS_TABSTOP},
};

constexpr DialogTemplate kDialogs[] = {
    {IDD_LISTFILES, u"Corvina", 140, 155, kScreenStyle, WS_EX_APPWINDOW, kDialogFace, kDialogPointSize,
     kListFilesItems},
    {IDD_ABOUTBOX, u"About Corvina", 139, 159, kScreenStyle, WS_EX_CAPTIONOKBTN, kDialogFace,
     kDialogPointSize, kAboutItems},
    {IDD_LISTEDITOR, u"Corvina", 140, 155, kScreenStyle, WS_EX_CAPTIONOKBTN | WS_EX_APPWINDOW, kDialogFace,
     kDialogPointSize, kListEditorItems},
    {IDD_ITEM_GENERAL, u"General", 152, 126, kPageStyle, 0, kDialogFace, kDialogPointSize, kItemGeneralItems},
    {IDD_ITEM_NOTES, u"Notes", 144, 126, kPageStyle, 0, kDialogFace, kDialogPointSize, kItemNotesItems},
};

} // namespace

std::span<const DialogTemplate> ProgramDialogs() {
    return kDialogs;
}
