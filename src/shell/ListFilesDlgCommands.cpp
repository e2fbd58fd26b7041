// The document list's commands: rename, export, delete and the about box, each on the list of the
// selected row, each running its dialogs modally and returning only when they have closed.
#include "shell/ListFilesDlg.h"

#include "model/CorvinaDoc.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FileFind.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "res/ResourceIds.h"
#include "shell/AboutDlg.h"
#include "textio/TextFile.h"

namespace {

constexpr std::u16string_view kExportFilter = u"Text files (*.txt)|*.txt||";
constexpr std::u16string_view kExportExtension = u"txt";
constexpr std::u16string_view kNameMarker = u"%s";

/// `pattern` with its "%s" replaced by `name`.
std::u16string WithName(std::u16string pattern, const std::u16string& name) {
    if (const std::size_t at = pattern.find(kNameMarker); at != std::u16string::npos) {
        pattern.replace(at, kNameMarker.size(), name);
    }
    return pattern;
}

/// Loads a list into a fresh document as Open does. A load that fails has been reported by the
/// document itself; what could be read stays in it.
void LoadList(CCorvinaDoc& document, const std::u16string& path) {
    document.SetPathName(path);
    document.SetModifiedFlag(false);
    CWaitCursor busy;
    document.OnOpenDocument(path);
}

/// A text file that could not be opened, read or written: its cause and path, with the stop icon.
void ReportTextFileFailure(const TextFile& file) {
    AfxMessageBox(file.ErrorMessage(), MB_OK | MB_ICONSTOP);
}

}  // namespace

std::optional<std::u16string> CListFilesDlg::SelectedListName() const {
    const std::optional<int> row = GetSelectedRow();
    if (!row) {
        return std::nullopt;
    }
    return GetRowName(*row);
}

std::u16string CListFilesDlg::ListFilePath(const std::u16string& name) const {
    return GetListsFolder() + name + m_extension;
}

void CListFilesDlg::OnRename() {
    const std::optional<std::u16string> name = SelectedListName();
    if (!name) {
        return;
    }
    // The dialog renames the file itself and reports what goes wrong; the rows follow when the
    // screen gets the focus back.
    CFileDialog dialog(false, u"", ListFilePath(*name), OFN_RENAME_AND_MOVE | OFN_NOCHANGEDIR, u"");
    dialog.DoModal();
}

void CListFilesDlg::OnExport() {
    const std::optional<std::u16string> name = SelectedListName();
    if (!name) {
        return;
    }
    CCorvinaDoc document;
    LoadList(document, ListFilePath(*name));
    CFileDialog dialog(false, std::u16string(kExportExtension), *name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       std::u16string(kExportFilter));
    if (dialog.DoModal() != IDOK) {
        return;
    }
    // Written through a safe save: a failure leaves a file already there as it was.
    TextFile file(dialog.GetPathName(), "w");
    document.ExportText(file);
    if (!file.Close()) {
        ReportTextFileFailure(file);
    }
}

void CListFilesDlg::OnDelete() {
    const std::optional<std::u16string> name = SelectedListName();
    if (!name) {
        return;
    }
    if (AfxMessageBox(WithName(LoadStringResource(IDS_DELETE_PROMPT), *name), MB_OKCANCEL | MB_ICONQUESTION) ==
            IDOK &&
        !DeleteFile(ListFilePath(*name))) {
        AfxMessageBox(LoadStringResource(IDS_DELETE_FAILED), MB_OK | MB_ICONSTOP);
    }
    FillList();
}

void CListFilesDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}
