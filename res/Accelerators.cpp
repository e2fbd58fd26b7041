// The program's keyboard shortcut tables: a plain Enter opens, wherever the focus is; and the keys a
// desktop keyboard gives each screen's commands, which the device had no keys for.
#include "platform/ui/DesktopKeys.h"
#include "res/ProgramTables.h"
#include "res/ResourceIds.h"

namespace {

constexpr AcceleratorEntry kShortcuts[] = {
    {FVIRTKEY, VK_RETURN, ID_FILE_OPEN},
};

/// The desktop keyboard of the list editor: a key for every command, and undo and redo.
constexpr AcceleratorEntry kEditorKeys[] = {
    {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    {FVIRTKEY | FCONTROL | FSHIFT, 'Z', ID_EDIT_REDO},
    {FVIRTKEY | FCONTROL, 'Y', ID_EDIT_REDO},
    {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
    {FVIRTKEY | FCONTROL | FSHIFT, 'S', ID_FILE_SAVE_AS},
    {FVIRTKEY, VK_INSERT, ID_LIST_ADDITEM},
    {FVIRTKEY | FSHIFT, VK_INSERT, ID_ITEM_ADDSUBITEM},
    {FVIRTKEY, VK_F2, ID_ITEM_EDIT},
    {FVIRTKEY, VK_DELETE, ID_ITEM_DELETE},
    {FVIRTKEY | FALT, VK_UP, ID_ITEM_MOVEUP},
    {FVIRTKEY | FALT, VK_DOWN, ID_ITEM_MOVEDOWN},
};

/// The desktop keyboard of the document list (Enter stays the program's one shortcut for Open).
constexpr AcceleratorEntry kListFilesKeys[] = {
    {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},        {FVIRTKEY, VK_F2, ID_DOCUMENT_RENAME},
    {FVIRTKEY, VK_DELETE, ID_DOCUMENT_DELETE},      {FVIRTKEY, VK_F5, ID_VIEW_REFRESH},
    {FVIRTKEY | FCONTROL, 'I', ID_DOCUMENT_IMPORT}, {FVIRTKEY | FCONTROL, 'E', ID_DOCUMENT_EXPORT},
};

constexpr AcceleratorTable kTables[] = {
    {IDR_ACCELERATORS, kShortcuts},
    {IDR_EDITOR_KEYS, kEditorKeys},
    {IDR_LISTFILES_KEYS, kListFilesKeys},
};

} // namespace

std::span<const AcceleratorTable> ProgramAccelerators() {
    return kTables;
}
