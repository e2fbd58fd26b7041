// CListEditorDlg: the list editor screen: one open list's items as rows of the check-tree control
// under the title line, with the List and Item menus, the tool buttons and the tap-and-hold Item menu.
//
// Split by concern: ListEditorDlg.cpp (set-up, title line, enabling rules, notifications),
// ListEditorItems.cpp (the item commands), ListEditorFile.cpp (save, save as, close and cancel) and
// EditorRows.cpp (how a row shows its item).
#pragma once

#include "editor/EditHistory.h"
#include "editor/TitleStatic.h"
#include "platform/core/BackgroundWriter.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EndRequests.h"
#include "platform/ui/Font.h"
#include "treectrl/VisualTreeCtrl.h"

#include <array>
#include <optional>
#include <string>

class CCorvinaDoc;
class TaskItem;

/// The list editor. Every change is made in the document's item tree and in the rows
/// together, and ends with the one mark-modified step; the document is the list's only copy.
///
/// A document whose open failed arrives as a recovered copy: `CCorvinaDoc::IsRecoveredCopy`, set by
/// the document's own open sequence, so whoever opens the list passes nothing more. Its title line
/// shows "*" from the start, and Save goes through Save as (proposing the list's name), so the file
/// it came from is replaced only after the overwrite question.
class CListEditorDlg : public CDialog {
public:
    /// The number of importance codes, and so of importance marks.
    static constexpr std::size_t kImportanceCount = 3;

    /// The editor of `document` (not owned: the caller keeps it alive until the screen is destroyed),
    /// storing lists in `listsFolder`, a device path of `device` ending in a backslash. The document
    /// is saved into `device` from now on. `parent` may be null.
    CListEditorDlg(const DeviceStorage& device, const std::u16string& listsFolder, CCorvinaDoc* document,
                   CWnd* parent = nullptr);
    ~CListEditorDlg() override;

    /// The rows.
    CVisualTreeCtrl& GetTreeCtrl() { return m_tree; }
    /// The title line.
    CTitleStatic& GetTitleLine() { return m_title; }
    /// The list's title as the title line shows it: without the list-file extension when the title
    /// ends in it exactly.
    std::u16string DisplayTitle() const;

    /// Fills the rows afresh from the document's items (initialisation does it once).
    void RefillRows();

    // --- The item commands' changes, after the details sheet (ListEditorItems.cpp) ---

    /// Appends `item` as the last sub-item of `parentRow`'s item (a top-level item when null), with
    /// its row, and marks the list modified. Answers the new row.
    VisualNode* AppendItem(const TaskItem& item, VisualNode* parentRow);
    /// Shows `row`'s edited item again and marks the list modified; `before` holds the title,
    /// quantity, importance and notes the item had before the edit, for an undo.
    void ItemEdited(VisualNode* row, const TaskItem& before);
    /// Deletes `row`'s item with its sub-items and their rows; marks the list modified.
    void DeleteRowItem(VisualNode* row);
    /// Swaps `row`'s item with its previous (next) sibling; marks the list modified either way.
    void MoveRowItem(VisualNode* row, bool up);
    /// Sets every item's checked flag to `state` (1 or 0) and marks the list modified.
    void CheckAllItems(BYTE state);

    // --- Undo and redo (ListEditorUndo.cpp) ---

    /// Takes back the last change to the list, if any: the rows, the selection and "*" follow.
    void Undo();
    /// Does again the last change taken back, if any.
    void Redo();
    /// The changes made since the editor opened.
    const editor::EditHistory& GetHistory() const { return m_history; }

    // --- The recovery copy (ListEditorRecovery.cpp) ---

    /// The timer that writes the recovery copy, started by the first change after the copy was
    /// last written, so no change waits longer than the delay to be kept.
    static constexpr UINT_PTR kRecoveryTimer = 1;
    static constexpr UINT kRecoveryDelayMs = 1000;
    /// The timer that asks, while a copy is on its way to storage, whether it got there.
    static constexpr UINT_PTR kRecoveryResultTimer = 2;
    static constexpr UINT kRecoveryResultPollMs = 100;
    /// Writes the unsaved list to its recovery copy now, on this thread, after a copy on its way has
    /// landed or been dropped. The failure's message when it could not be written (the previous copy
    /// then stays as it was).
    std::optional<std::u16string> WriteRecoveryCopy();
    /// Waits until the copy handed to the writing thread is in storage, and reports a failure.
    void FinishRecoveryCopy();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    /// The caption OK: Close.
    void OnOK() override;
    /// A cancel request (Escape, the window's close): with unsaved changes, the save question with
    /// Yes, No and Cancel first; the screen then ends with cancel unless the answer was Cancel or a
    /// save failed or was cancelled.
    void OnCancel() override;
    /// The desktop keys of the editor's commands, each with its command's enabling rule, then the
    /// dialog's own keys.
    bool PreTranslateMessage(MSG& msg) override;
    /// The screen ends: the host window takes back the program's own name.
    void OnDestroy() override;
    /// The recovery timers' ticks.
    void OnTimer(UINT_PTR id) override;

private:
    // Set-up and the title line (ListEditorDlg.cpp).
    void SetUpCommands();
    void SetUpNotifications();
    /// Sets the document's modified flag and adds or removes "*" at the title line's end.
    void MarkModified(bool modified);
    void ShowItemMenu(const NMHDR& hdr);
    /// A check box's flag was written: a change to keep, unless an undo or redo wrote it.
    void OnCheckChanged(const NMVTCHECK& change);
    /// After an undo or redo: selects what it answered and shows "*" unless the list is as saved.
    void AfterHistoryStep(const editor::EditHistory::Selection& selection, std::size_t itemsBefore);
    /// Save and Save as succeeded: the list is its file now.
    void MarkSaved();
    /// Titles the host window "NAME (C/N) - Corvina": the title line, the checked items and all.
    void UpdateHostTitle();
    /// Counts the checked items afresh, after a change of which items the list holds.
    void CountCheckedItems();
    bool HasSelectedRow() const { return m_tree.GetSelectedItem() != nullptr; }

    // The item commands (ListEditorItems.cpp).
    void OnAddItem(bool asSubitem);
    void OnEditItem(int startPage);
    void OnDeleteItem();
    void OnMoveItem(bool up);

    // The recovery copy (ListEditorRecovery.cpp).
    /// The list is modified: its copy is written within the recovery delay.
    void ScheduleRecoveryCopy();
    /// The list is as saved, or its changes are discarded: the copy goes.
    void DiscardRecoveryCopy();
    /// Keeps the list's copy from the moment it shows (a list opened with changes) and at an end
    /// request.
    void StartRecovery();
    /// The recovery timer's tick: the list encoded as its file and handed to the writing thread.
    void HandOverRecoveryCopy();
    /// Once the writing thread is done, stops asking and reports its failure.
    void CollectRecoveryResult();
    /// Reports a copy that could not be written, once in the editor's life, not every second.
    void ReportRecoveryFailure(const std::u16string& failure);

    // The list file (ListEditorFile.cpp).
    /// Saves under the list's path, or through Save as when it has none or is a recovered copy.
    /// False when nothing was saved.
    bool Save();
    /// Asks for a name and saves the list under it in the Lists folder. False when nothing was saved.
    bool SaveAs();
    /// True when Save may write the list's file at `path`: it is still the file this list was read
    /// from or last saved as, it is gone (deleted meanwhile: it is simply written again), or the
    /// user answers Yes to replacing the version another program saved there.
    bool MayReplaceListFile(const std::u16string& path);
    /// With unsaved changes, asks whether to save them, with the buttons `answers` (MB_YESNO for
    /// Close, MB_YESNOCANCEL for a cancel request), and does what the answer says. True when the
    /// screen may end: no changes, No, or a save that succeeded; Cancel keeps the list as it is.
    bool SaveChangesBeforeLeaving(UINT answers);
    void OnClose();

    HICON m_appIcon;                                         ///< the application icon
    std::array<CBitmap, kImportanceCount> m_importanceMarks; ///< by importance code
    CFont m_titleFont;                                       ///< Tahoma 16, weight 600
    CTitleStatic m_title;                                    ///< the title line
    CVisualTreeCtrl m_tree;                                  ///< the rows of items
    CCorvinaDoc* m_document;                                 ///< the list; not owned
    DeviceStorage m_device;                                  ///< where the list and its copies lie
    std::u16string m_listsFolder;                            ///< ends with a backslash
    std::u16string m_extension;                              ///< ".crv", from the list-file pattern
    bool m_titleMarked = false;                              ///< the title line ends with "*"
    editor::EditHistory m_history;                           ///< undo and redo of the list's changes
    CAcceleratorTable m_keys;                                ///< the desktop keys of the commands
    std::size_t m_checkedCount = 0;                    ///< items with their flag set, for the window title
    std::u16string m_recoveryCopyPath;                 ///< the copy this editor wrote or was opened from
    bool m_recoveryFailureReported = false;            ///< a failed copy is reported once, not every second
    std::optional<ScopedEndRequestKeeper> m_endKeeper; ///< writes the copy at an end request
    BackgroundWriter m_recoveryWriter;                 ///< takes the encoded copies to storage
};
