// CListFilesDlg: the document list screen, the program's main window: one row per list file with its
// name, date and item count, its menu bar and the focus refresh.
#pragma once

#include "platform/ui/Accelerators.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageList.h"
#include "shell/ListFilesCtrl.h"
#include "shell/ListFolderListing.h"
#include "shell/UnreadableReports.h"

#include <optional>
#include <string>
#include <vector>

class CCorvinaDoc;

/// The document list screen and its document commands. The rows are rebuilt from the
/// folder, never patched: at initialisation, on Refresh, after Delete, and whenever the screen gets
/// the input focus back (a screen or message box over it closed), so a list saved elsewhere shows at
/// once. The commands that work on a list (Open, Rename, Export, Delete) take the selected row's file,
/// as it lies in the folder, and do nothing without one; a double tap on a row opens it.
class CListFilesDlg : public CDialog {
public:
    /// The screen over `listing` (not owned; it outlives the screen). `parent` may be null.
    explicit CListFilesDlg(CListFolderListing& listing, CWnd* parent = nullptr);
    ~CListFilesDlg() override;

    /// Rescans the folder and rebuilds every row in the listing's order, none selected. Files whose
    /// headers cannot be read keep a row marked "Error"; the files that became unreadable are
    /// reported together in one message box per refresh, each once, and again only after it changed.
    /// The rows in view are read at once, the others when they are shown or, a few at a time, while
    /// the screen waits for the user (kDetailsTimer); the report follows the last file read.
    void FillList();
    /// The first selected row, or nothing.
    std::optional<int> GetSelectedRow() const;
    /// The display name in row `row`: the list's name.
    std::u16string GetRowName(int row) const;
    /// The name of row `row`'s file as it lies in the folder, extension included: the name to open,
    /// delete or rename (a name that is not valid UTF-8 keeps its bytes; GetRowName shows it
    /// decoded). Empty for no such row.
    std::u16string GetRowFileName(int row) const;
    /// The folder the rows come from, ending in a backslash.
    const std::u16string& GetListsFolder() const { return m_listing.Folder(); }
    /// The device the folder lies in.
    const DeviceStorage& Device() const { return m_listing.Device(); }
    /// The rows.
    CListFilesCtrl& GetListCtrl() { return m_list; }

    /// The timer that offers, once the screen shows, the unsaved changes of a new or imported list
    /// that the program could not save before it was ended. It runs only while there is such a copy.
    static constexpr UINT_PTR kUntitledChangesTimer = 1;
    /// The timer that reads the dates and headers of the rows not yet shown, while the screen shows.
    static constexpr UINT_PTR kDetailsTimer = 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnSetFocus(CWnd* oldWnd) override;
    /// The desktop keys of the document commands, each as its command does it, then the dialog's.
    bool PreTranslateMessage(MSG& msg) override;
    void OnTimer(UINT_PTR id) override;

private:
    void SetUpCommands();
    /// Stretches the rows to the screen's right and bottom edges.
    void FitListToScreen();
    void SetUpColumns();
    /// The display name of a listed file: its readable name without the extension when it ends in it
    /// exactly.
    std::u16string DisplayName(const std::u16string& fileName) const;
    void ReportUnreadableFiles();
    /// Reads the next few rows' dates and headers; reports the unreadable files after the last.
    void ReadMoreDetails();
    /// The text of column `column` (1 or more) of row `row`, read from its file when first asked.
    std::u16string DetailText(int row, int column);

    // The document commands (ListFilesDlgCommands.cpp).
    /// The list of a row: its name as shown and the path of its file.
    struct ListOfRow {
        std::u16string name; ///< the display name: the file name without ".crv"
        std::u16string path; ///< the Lists folder and the file's name as it lies there
    };
    /// The selected row's list, or nothing.
    std::optional<ListOfRow> SelectedList() const;
    /// Runs the list editor on `document` and returns when it has closed.
    void RunEditor(CCorvinaDoc& document);
    void OnNew();
    void OnOpen();
    void OnImport();
    void OnRename();
    void OnExport();
    void OnDelete();
    void OnAbout();
    /// Asks whether to restore the unsaved changes of a list that had no file, and edits them on Yes.
    void OfferUntitledChanges();

    CListFilesCtrl m_list;                      ///< the rows
    CListFolderListing& m_listing;              ///< the files shown; not owned
    CBitmap m_rowIcon;                          ///< 13 x 16: a page with bullet lines
    CImageList m_images;                        ///< the rows' small icons: the row icon as image 0
    std::u16string m_extension;                 ///< ".crv"
    CFont m_listFont;                           ///< Tahoma 13 pixels, normal weight
    std::vector<std::u16string> m_rowFileNames; ///< each row's file name as it lies in the folder
    CUnreadableReports m_reported;              ///< unreadable files already reported
    bool m_filling = false;   ///< true during FillList, so its own message boxes cannot restart it
    CAcceleratorTable m_keys; ///< the desktop keys of the commands
};
