// The document list's commands: new, open, import, rename, export, delete and the about box, each
// running its dialogs and the list editor modally and returning only when they have closed. Each
// command that needs a document makes its own and destroys it before returning.
#include "shell/ListFilesDlg.h"

#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/FileFind.h"
#include "platform/storage/RecoveryCopies.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "res/ResourceIds.h"
#include "shell/AboutDlg.h"
#include "shell/RecoveryOffer.h"
#include "textio/DocumentText.h"
#include "textio/TextFile.h"

namespace {

constexpr std::u16string_view kImportFilter = u"Text files (*.txt)|*.txt|All files (*.*)|*.*||";
constexpr std::u16string_view kExportFilter = u"Text files (*.txt)|*.txt||";
constexpr std::u16string_view kExportExtension = u"txt";

/// A new empty list titled "Untitled", with no file until it is saved.
void StartUntitled(CCorvinaDoc& document) {
    document.SetTitle(LoadStringResource(IDS_UNTITLED));
    document.OnNewDocument();
}

/// Loads a list into a fresh document as Open does. A load that fails has been reported by the
/// document itself; what could be read stays in it as a recovered copy, which the editor saves only
/// through Save as, so the damaged file is never replaced without the overwrite question.
void LoadList(const DeviceStorage& device, CCorvinaDoc& document, const std::u16string& path) {
    document.SetHostPathMapping(device.PathMapping());
    document.SetPathName(path);
    document.SetModifiedFlag(false);
    CWaitCursor busy;
    document.OnOpenDocument(path);
}

/// The unsaved changes kept for the list `name` could not follow what became of its file.
void ReportCopyLeftBehind(const std::u16string& name) {
    AfxMessageBox(FormatString(LoadStringResource(IDS_COPY_NOT_MOVED), {name}), MB_OK | MB_ICONEXCLAMATION);
}

/// A text file that could not be opened, read or written: its cause and path, with the stop icon.
void ReportTextFileFailure(const TextFile& file) {
    AfxMessageBox(file.ErrorMessage(), MB_OK | MB_ICONSTOP);
}

} // namespace

std::optional<CListFilesDlg::ListOfRow> CListFilesDlg::SelectedList() const {
    const std::optional<int> row = GetSelectedRow();
    if (!row) {
        return std::nullopt;
    }
    // The file's own name, not the shown name with ".crv" again: a list stored as "Shop.CRV" is
    // that file.
    return ListOfRow{GetRowName(*row), GetListsFolder() + GetRowFileName(*row)};
}

void CListFilesDlg::RunEditor(CCorvinaDoc& document) {
    CListEditorDlg editor(Device(), GetListsFolder(), &document, nullptr);
    editor.DoModal();
}

void CListFilesDlg::OnNew() {
    CCorvinaDoc document;
    StartUntitled(document);
    RunEditor(document);
}

void CListFilesDlg::OnOpen() {
    const std::optional<ListOfRow> list = SelectedList();
    if (!list) {
        return;
    }
    CCorvinaDoc document;
    if (!RestoreUnsavedChanges(Device(), document, list->path, list->name)) {
        LoadList(Device(), document, list->path);
    }
    RunEditor(document);
}

void CListFilesDlg::OfferUntitledChanges() {
    CCorvinaDoc document;
    if (RestoreUnsavedChanges(Device(), document, u"", LoadStringResource(IDS_UNTITLED))) {
        RunEditor(document);
    }
}

void CListFilesDlg::OnImport() {
    CCorvinaDoc document;
    StartUntitled(document);
    CFileDialog dialog(Device(), true, u"", u"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       std::u16string(kImportFilter));
    if (dialog.DoModal() != IDOK) {
        return;
    }
    TextFile file(Device().HostPathOf(dialog.GetPathName()), dialog.GetPathName(), "r");
    ImportText(document, file);
    // A file that could not be opened or read whole is not shown as if it held only what was read.
    if (file.Error()) {
        ReportTextFileFailure(file);
        return;
    }
    RunEditor(document);
    file.Close();
}

void CListFilesDlg::OnRename() {
    const std::optional<ListOfRow> list = SelectedList();
    if (!list) {
        return;
    }
    // The dialog renames the file itself and reports what goes wrong; the rows follow when the
    // screen gets the focus back. Unsaved changes kept for the list go with it, to be offered at
    // its next open under the new name.
    CFileDialog dialog(Device(), false, u"", list->path, OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    if (dialog.DoModal() == IDOK && !MoveRecoveryCopy(Device(), list->path, dialog.GetPathName())) {
        ReportCopyLeftBehind(list->name);
    }
}

void CListFilesDlg::OnExport() {
    const std::optional<ListOfRow> list = SelectedList();
    if (!list) {
        return;
    }
    CCorvinaDoc document;
    LoadList(Device(), document, list->path);
    CFileDialog dialog(Device(), false, std::u16string(kExportExtension), list->name,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, std::u16string(kExportFilter));
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // Written through a safe save: a failure leaves a file already there as it was.
    TextFile file(Device().HostPathOf(dialog.GetPathName()), dialog.GetPathName(), "w");
    ExportText(document, file);
    if (!file.Close()) {
        ReportTextFileFailure(file);
    }
}

void CListFilesDlg::OnDelete() {
    const std::optional<ListOfRow> list = SelectedList();
    if (!list) {
        return;
    }
    if (AfxMessageBox(FormatString(LoadStringResource(IDS_DELETE_PROMPT), {list->name}),
                      MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        if (!DeleteFile(Device(), list->path)) {
            AfxMessageBox(LoadStringResource(IDS_DELETE_FAILED), MB_OK | MB_ICONSTOP);
        } else if (!RemoveRecoveryCopy(RecoveryCopyPath(Device(), list->path))) {
            // Left there, it would be offered to the next list of that name.
            ReportCopyLeftBehind(list->name);
        }
    }
    FillList();
}

void CListFilesDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}
