// The list editor's list file commands: Save, Save as, Close, the caption OK and a cancel request.
// A save that fails or is cancelled keeps the changes and the screen; only what was saved, or what
// the user chose not to save, lets the screen end. Save never silently replaces a version of the
// list that another program wrote while it was open.
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/core/FileStamp.h"
#include "platform/core/PathNames.h"
#include "platform/core/Strings.h"
#include "platform/storage/FileFind.h"
#include "platform/storage/FileNameRules.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "res/ResourceIds.h"

namespace {

constexpr DWORD kSaveAsOptions = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

} // namespace

bool CListEditorDlg::Save() {
    const std::u16string path = m_document->GetPathName();
    // A recovered copy is only what could be read of its file: replacing that file takes Save as,
    // with its question.
    if (path.empty() || m_document->IsRecoveredCopy()) {
        return SaveAs();
    }
    if (!MayReplaceListFile(path)) {
        return false; // the other version stays; the changes stay marked, for Save as
    }
    if (!m_document->OnSaveDocument(path)) {
        return false; // the document has reported why; the changes stay marked
    }
    MarkSaved();
    return true;
}

bool CListEditorDlg::SaveAs() {
    CFileDialog dialog(m_device, false, LoadStringResource(IDS_LIST_EXTENSION), m_document->GetTitle(),
                       kSaveAsOptions, LoadStringResource(IDS_LIST_FILTER), nullptr);
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    // Lists live in the Lists folder whatever folder the dialog showed; only the name is taken, and
    // it ends in the list extension, or the document list would not show the list ("Trip.v2").
    const std::u16string chosen = dialog.GetPathName();
    const std::u16string target =
        m_listsFolder + platform::WithExtension(FileNameOf(chosen), LoadStringResource(IDS_LIST_EXTENSION));
    // The dialog asked about replacing the file it showed; a list of that name is another file.
    if (target != chosen && GetFileAttributes(m_device, target) != INVALID_FILE_ATTRIBUTES &&
        !ConfirmOverwrite(target)) {
        return false;
    }
    if (!m_document->OnSaveDocument(target)) {
        return false;
    }
    m_document->SetPathName(target, true);
    MarkSaved();
    m_title.SetWindowText(DisplayTitle()); // the title line shows no mark now, as MarkSaved left it
    UpdateHostTitle();
    return true;
}

bool CListEditorDlg::MayReplaceListFile(const std::u16string& path) {
    const std::optional<FileStamp> onDisk = FileStampAt(m_device.HostPathOf(path));
    if (!onDisk || onDisk == m_document->GetFileStamp()) {
        return true;
    }
    const std::u16string question = FormatString(LoadStringResource(IDS_CHANGED_ELSEWHERE), {DisplayTitle()});
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CListEditorDlg::SaveChangesBeforeLeaving(UINT answers) {
    if (!m_document->IsModified()) {
        return true;
    }
    const std::u16string question =
        FormatString(LoadStringResource(IDS_SAVE_CHANGES), {m_document->GetTitle()});
    switch (AfxMessageBox(question, answers | MB_ICONQUESTION)) {
    case IDYES:
        return Save();
    case IDNO:
        DiscardRecoveryCopy();
        return true;
    default:
        return false; // Cancel: back to the list, changes and all
    }
}

void CListEditorDlg::OnClose() {
    if (SaveChangesBeforeLeaving(MB_YESNO)) {
        CDialog::OnOK();
    }
}

void CListEditorDlg::OnOK() {
    OnClose();
}

void CListEditorDlg::OnCancel() {
    // Escape is easily pressed by mistake, so its question can also take the user back.
    if (SaveChangesBeforeLeaving(MB_YESNOCANCEL)) {
        CDialog::OnCancel();
    }
}
