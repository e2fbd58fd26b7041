// The program's string table: every numbered text the screens, commands and start-up use.
#include "platform/storage/ListsFolder.h"
#include "res/ProgramTables.h"
#include "res/ResourceIds.h"

namespace {

constexpr StringResource kStrings[] = {
    // Menu-bar button labels of the document list.
    {IDS_MENU_NEW, u"New"},
    {IDS_MENU_TOOLS, u"Tools"},
    {IDS_MENU_VIEW, u"View"},
    {IDS_MENU_DOCUMENT, u"Document"},
    // Command descriptions.
    {ID_DOCUMENT_DELETE, u"Delete document"},
    {ID_LIST_CHECKALL, u"Checks all items"},
    {ID_LIST_UNCHECKALL, u"Unchecks all items"},
    {ID_LIST_ADDITEM, u"Add item to the list"},
    {ID_DOCUMENT_RENAME, u"Rename document"},
    {ID_ITEM_MOVEUP, u"Move up item"},
    {ID_ITEM_MOVEDOWN, u"Move down item"},
    {ID_DOCUMENT_EXPORT, u"Export list to text file"},
    {ID_FILE_NEW, u"Create New List"},
    {ID_FILE_OPEN, u"Open document"},
    {ID_FILE_SAVE, u"Save current document"},
    {ID_FILE_SAVE_AS, u"Save current list"},
    // The program.
    {IDS_PROGRAM_VERSION, kProgramVersionText},
    // List files.
    {IDS_LIST_EXTENSION, kListDefaultExtension},
    {IDS_LIST_PATTERN, kListFilePattern},
    {IDS_LIST_FILTER, u"Corvina files (*.crv)|*.crv||"},
    {IDS_SAVE_CHANGES, u"'%s' contents have been changed.\nWould you like to save changes?"},
    {IDS_RESTORE_CHANGES, u"Unsaved changes to '%1' were kept at %2.\nWould you like to restore them?"},
    {IDS_COPY_NOT_MOVED, u"The unsaved changes kept for '%s' could not be moved or deleted with the list."},
    {IDS_DELETE_PROMPT, u"Delete '%s'?"},
    {IDS_DELETE_FAILED, u"File deletion failed"},
    {IDS_CHANGED_ELSEWHERE,
     u"'%s' has been changed by another program.\nDo you want to replace the version it saved with yours?"},
    // Start-up: where the lists live.
    {IDS_REGISTRY_KEY, kInstallRegistryKey},
    {IDS_INSTALL_DIR_VALUE, kInstallDirValueName},
    {IDS_LISTS_SUBFOLDER, kListsSubfolder},
    {IDS_MY_DOCUMENTS, kMyDocumentsFolder},
    // Item details.
    {IDS_ITEM_DETAILS, u"Item Details"},
    {IDS_POSITIVE_INTEGER, u"Please enter a positive integer."},
    {IDS_UNTITLED, u"Untitled"},
};

} // namespace

std::span<const StringResource> ProgramStrings() {
    return kStrings;
}
