// The list editor's recovery copy: the unsaved list written to the recovery folder within a second
// of a change and at an end request, and removed once the list is saved or its changes discarded.
#include "editor/ListEditorDlg.h"
#include "model/CorvinaDoc.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/Exception.h"
#include "platform/core/Strings.h"
#include "platform/storage/RecoveryCopies.h"

#include <cstdio>
#include <exception>

void CListEditorDlg::StartRecovery() {
    // A list that opens modified came from a copy (or a damaged file): that copy is this list's now.
    if (m_document->IsModified()) {
        m_recoveryCopyPath = RecoveryCopyPath(m_document->GetPathName());
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
    }
}

void CListEditorDlg::DiscardRecoveryCopy() {
    KillTimer(kRecoveryTimer);
    if (!m_recoveryCopyPath.empty()) {
        RemoveRecoveryCopy(m_recoveryCopyPath);
        m_recoveryCopyPath.clear();
    }
}

void CListEditorDlg::OnTimer(UINT_PTR id) {
    if (id != kRecoveryTimer) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(kRecoveryTimer);
    const std::optional<std::u16string> failure = WriteRecoveryCopy();
    if (failure && !m_recoveryFailureReported) {
        m_recoveryFailureReported = true;
        ReportError(*failure, MessageIcon::Exclamation);
    }
}

std::optional<std::u16string> CListEditorDlg::WriteRecoveryCopy() {
    const std::u16string copyPath = RecoveryCopyPath(m_document->GetPathName());
    try {
        MakeRecoveryFolder();
        m_document->WriteCopy(copyPath);
    } catch (const CException& failure) {
        return failure.GetErrorMessage();
    } catch (const std::exception& failure) {
        return Widen(failure.what());
    }
    // A new list saved under a name has its copy under that name from now on.
    if (!m_recoveryCopyPath.empty() && m_recoveryCopyPath != copyPath) {
        RemoveRecoveryCopy(m_recoveryCopyPath);
    }
    m_recoveryCopyPath = copyPath;
    return std::nullopt;
}
