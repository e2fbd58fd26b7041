// The list editor's recovery copy: the unsaved list written to the recovery folder within a second
// of a change and at an end request, and removed once the list is saved or its changes discarded.
// A tick only encodes the list; the writer's own thread takes it to storage, so the pen never waits
// for a flush.
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Exception.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Strings.h"
#include "platform/storage/RecoveryCopies.h"

#include <cstdio>
#include <exception>
#include <utility>

void CListEditorDlg::StartRecovery() {
    // A list that opens modified came from a copy (or a damaged file): that copy is this list's now.
    if (m_document->IsModified()) {
        m_recoveryCopyPath = RecoveryCopyPath(m_device, m_document->GetPathName());
    }
    m_endKeeper.emplace([this] {
        if (!m_document->IsModified()) {
            return;
        }
        // The program is ending: nobody is left to read a message box.
        if (const std::optional<std::u16string> failure = WriteRecoveryCopy()) {
            std::fprintf(stderr, "corvina: %s\n", ToUtf8(*failure).c_str());
        }
    });
}

void CListEditorDlg::ScheduleRecoveryCopy() {
    if (!IsTimerRunning(kRecoveryTimer)) {
        SetTimer(kRecoveryTimer, kRecoveryDelayMs);
        // The copy is about the size of the list's file: its memory is made ready before the tick.
        if (const std::optional<FileStamp>& file = m_document->GetFileStamp(); file && file->size > 0) {
            m_recoveryWriter.PrepareMemory(static_cast<std::size_t>(file->size));
        }
    }
}

void CListEditorDlg::DiscardRecoveryCopy() {
    KillTimer(kRecoveryTimer);
    KillTimer(kRecoveryResultTimer);
    // A copy still on its way would land after the removal and be offered again.
    m_recoveryWriter.Cancel();
    if (!m_recoveryCopyPath.empty()) {
        RemoveRecoveryCopy(m_recoveryCopyPath);
        m_recoveryCopyPath.clear();
    }
}

void CListEditorDlg::OnTimer(UINT_PTR id) {
    if (id == kRecoveryTimer) {
        KillTimer(kRecoveryTimer);
        HandOverRecoveryCopy();
    } else if (id == kRecoveryResultTimer) {
        CollectRecoveryResult();
    } else {
        CDialog::OnTimer(id);
    }
}

void CListEditorDlg::HandOverRecoveryCopy() {
    const std::u16string copyPath = RecoveryCopyPath(m_device, m_document->GetPathName());
    try {
        MakeRecoveryFolder(m_device);
        // The memory of the last copy written, already the right size, takes this one.
        std::string bytes = m_recoveryWriter.TakeSpareMemory();
        m_document->EncodeCopy(bytes);
        m_recoveryWriter.Write(copyPath, std::move(bytes));
    } catch (const CException& failure) {
        ReportRecoveryFailure(failure.GetErrorMessage());
        return;
    } catch (const std::exception& failure) {
        ReportRecoveryFailure(Widen(failure.what()));
        return;
    }
    m_recoveryCopyPath = copyPath;
    SetTimer(kRecoveryResultTimer, kRecoveryResultPollMs);
}

void CListEditorDlg::CollectRecoveryResult() {
    if (m_recoveryWriter.IsBusy()) {
        return; // asked again at the next poll
    }
    KillTimer(kRecoveryResultTimer);
    if (const std::optional<std::u16string> failure = m_recoveryWriter.TakeFailure()) {
        ReportRecoveryFailure(*failure);
    }
}

void CListEditorDlg::FinishRecoveryCopy() {
    m_recoveryWriter.Finish();
    CollectRecoveryResult();
}

void CListEditorDlg::ReportRecoveryFailure(const std::u16string& failure) {
    if (!m_recoveryFailureReported) {
        m_recoveryFailureReported = true;
        ReportError(failure, MessageIcon::Exclamation);
    }
}

std::optional<std::u16string> CListEditorDlg::WriteRecoveryCopy() {
    // A copy on its way holds an older list: it must not land over this one.
    m_recoveryWriter.Cancel();
    KillTimer(kRecoveryResultTimer);
    const std::u16string copyPath = RecoveryCopyPath(m_device, m_document->GetPathName());
    try {
        MakeRecoveryFolder(m_device);
        m_document->WriteCopy(copyPath);
    } catch (const CException& failure) {
        return failure.GetErrorMessage();
    } catch (const std::exception& failure) {
        return Widen(failure.what());
    }
    m_recoveryCopyPath = copyPath;
    return std::nullopt;
}
