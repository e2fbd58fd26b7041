// The restore question and what each answer does with the recovery copy.
#include "shell/RecoveryOffer.h"

#include "model/CorvinaDoc.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Strings.h"
#include "platform/storage/DeviceStorage.h"
#include "platform/storage/RecoveryCopies.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "res/ResourceIds.h"

bool RestoreUnsavedChanges(const DeviceStorage& device, CCorvinaDoc& document, const std::u16string& listPath,
                           const std::u16string& name) {
    const std::optional<RecoveryCopy> copy = FindRecoveryCopy(device, listPath);
    if (!copy) {
        return false;
    }
    const std::u16string question =
        FormatString(LoadStringResource(IDS_RESTORE_CHANGES), {name, RecoveryTimeText(copy->saved)});
    const int answer = AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) {
        // Only a No gives the changes up: a question closed unanswered (the program ending under it)
        // leaves the copy to be offered again.
        if (answer == IDNO) {
            RemoveRecoveryCopy(copy->path);
        }
        return false;
    }
    if (listPath.empty()) {
        document.SetTitle(LoadStringResource(IDS_UNTITLED));
        document.OnNewDocument();
    } else {
        document.SetPathName(listPath);
    }
    // A copy that cannot be read whole has been reported by the document, which keeps what it read
    // as a recovered copy: the list file is then replaced only through Save as and its question.
    CWaitCursor busy;
    document.SetHostPathMapping(device.PathMapping());
    document.OnOpenDocument(copy->path);
    if (!listPath.empty()) {
        // The user chose the copy over the list file as it stands: saving it replaces that file
        // without asking whether another program wrote it.
        document.SetFileStamp(FileStampAt(device.HostPathOf(listPath)));
    }
    document.SetModifiedFlag(true);
    return true;
}
