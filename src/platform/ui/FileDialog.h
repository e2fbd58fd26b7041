// CFileDialog: the open and save file dialogs, and the save dialog's rename-and-move mode, as a
// full-screen screen: a name field, the folder with a way up, the file types, and the folder's
// sub-folders and matching files.
#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <string>
#include <vector>

class DeviceStorage;

/// Option flags of the file dialogs. Saving over an existing file asks first.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
/// No read-only box (this platform never shows one).
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
/// The program's current folder is left alone (this platform never changes it).
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
/// The chosen folder must exist.
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
/// The save dialog renames or moves the file named by the initial file name to the chosen path.
constexpr DWORD OFN_RENAME_AND_MOVE = 0x00800000;

namespace platform {
struct FileDialogState;
}

/// The save dialog's overwrite question for the file at device path `path`, with Yes and No: true
/// for Yes. A program that saves somewhere else than the dialog's answer asks it for that file.
bool ConfirmOverwrite(const std::u16string& path);

/// A file dialog. Paths are device paths ("\My Documents\Shop.txt").
///
/// It starts in the initial file name's folder, else "\My Documents", else "\". The user picks a
/// file from the list (or types a name, or a path starting with "\"), walks into folders by tapping
/// them and up with "Up", and picks the file types. OK answers IDOK with the path: in a save dialog
/// a name without an extension gets the default one, and an existing file is only taken after a
/// Yes to the overwrite question (OFN_OVERWRITEPROMPT). An open dialog takes only a file that
/// exists. A name with a character file names cannot hold is refused with a message. In
/// rename-and-move mode the file is renamed (moved) on OK, keeping its extension when the new name
/// has none; another file is never replaced: a name that is taken, or a rename that fails (with
/// the cause), is reported and the dialog stays with the file as it was.
class CFileDialog : public CDialog {
public:
    /// The dialog shows the folders of `device`, which outlives it. `openFileDialog` chooses an
    /// open dialog, else a save dialog. `defaultExtension` has no dot
    /// ("txt"); `fileName` is the proposed name or, in rename mode, the file's full path; `filter`
    /// is in the framework's form ("Text files (*.txt)|*.txt||").
    CFileDialog(const DeviceStorage& device, bool openFileDialog, std::u16string defaultExtension = {},
                std::u16string fileName = {}, DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                std::u16string filter = {}, CWnd* parent = nullptr);
    ~CFileDialog() override;

    /// The chosen path (valid after IDOK).
    std::u16string GetPathName() const { return m_pathName; }
    /// The chosen file's extension without its dot.
    std::u16string GetFileExt() const;
    /// The folder the dialog shows now.
    std::u16string GetFolderPath() const { return m_folder; }
    /// The index of the file type shown now.
    int GetFilterIndex() const { return m_filterIndex; }

    /// Shows folder `folder` (a device path); false when it does not exist.
    bool ShowFolder(const std::u16string& folder);
    /// The rows as shown: sub-folders first (their names in brackets), then matching files.
    std::vector<std::u16string> ShownEntries() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnPaint(CDC& dc) override;

private:
    friend struct platform::FileDialogState;
    void Refill();
    void EntryTapped(int row);
    void NextFileType();
    bool Accept(const std::u16string& path);
    bool RenameTo(const std::u16string& path);

    const DeviceStorage& m_device;                   ///< whose folders it shows
    bool m_open;                                     ///< an open dialog, else a save dialog
    std::u16string m_defaultExtension;               ///< added to a name without one when saving
    std::u16string m_fileName;                       ///< proposed name (or the renamed file's path)
    DWORD m_flags;                                   ///< OFN_... options
    std::u16string m_filter;                         ///< the filter string as given
    std::u16string m_pathName;                       ///< the answer
    std::u16string m_folder;                         ///< the folder shown
    int m_filterIndex = 0;                           ///< the file type shown
    std::unique_ptr<platform::FileDialogState> m_ui; ///< controls, rows and icons while it runs
};
