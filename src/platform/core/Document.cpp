// The document base's open and save sequences and how their failures are reported.
#include "platform/core/Document.h"

#include <exception>

#include "platform/core/Archive.h"
#include "platform/core/ErrorReport.h"
#include "platform/core/File.h"
#include "platform/core/PathNames.h"
#include "platform/core/SafeSaveFile.h"
#include "platform/core/Strings.h"

namespace {

// Turns whatever a load or save threw into the message the user sees.
void ReportDocumentFailure(std::u16string_view fallback) {
    try {
        throw;
    } catch (const CArchiveException& failure) {
        // Damaged data has its own message; an archive used the wrong way round is our fault and
        // gets the plain one.
        ReportError(std::u16string(failure.IsFormatFailure() ? kUnexpectedFileFormat : fallback),
                    MessageIcon::Exclamation);
    } catch (const CException& failure) {
        ReportError(failure.GetErrorMessage(), MessageIcon::Exclamation);
    } catch (const std::exception&) {
        ReportError(fallback, MessageIcon::Exclamation);
    }
}

} // namespace

std::string CDocument::HostPathOf(std::u16string_view path) const {
    return m_hostPathMapping ? m_hostPathMapping(path) : ToUtf8(path);
}

void CDocument::SetPathName(std::u16string_view path, bool /*addToRecent*/) {
    m_pathName = std::u16string(path);
    SetTitle(std::u16string(FileNameOf(path)));
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_fileStamp.reset();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(std::u16string_view path) {
    CFile file;
    FileErrorCause cause = FileErrorCause::Generic;
    if (!file.OpenHostPath(HostPathOf(path), path,
                           CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &cause)) {
        ReportError(CFileException(cause, std::u16string(path)).GetErrorMessage(), MessageIcon::Exclamation);
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);
    m_fileStamp.reset();
    // Taken from the open file, so it describes the very version read, whatever happens to the
    // path meanwhile.
    const std::optional<FileStamp> read = FileStampOf(file.GetHandle());
    try {
        // Only a file with a position has a length that tells its contents: a pipe reports zero
        // whatever it holds. Asking for the position fails on one with the seek error, so it is
        // reported instead of opening as an empty list.
        file.GetPosition();
        if (file.GetLength() != 0) {
            CArchive archive(&file, CArchive::load, kWholeFileBufferSize);
            Serialize(archive);
            archive.Close();
        }
        file.Close();
    } catch (...) {
        file.Abort();
        DeleteContents();
        ReportDocumentFailure(kFailedToOpen);
        return false;
    }
    m_fileStamp = read;
    SetModifiedFlag(false);
    return true;
}

std::optional<FileStamp> CDocument::WriteCopy(std::u16string_view path) {
    SafeSaveFile target{HostPathOf(path), std::u16string(path)};
    CArchive archive(&target.File(), CArchive::store, kWholeFileBufferSize);
    Serialize(archive);
    archive.Close();
    // The temporary file is the version the rename puts in place: renaming keeps its stamp.
    const std::optional<FileStamp> written = FileStampOf(target.File().GetHandle());
    target.Commit();
    return written;
}

void CDocument::EncodeCopy(std::string& bytes) {
    bytes.clear();
    CArchive archive(bytes, kWholeFileBufferSize);
    Serialize(archive);
    archive.Close();
}

bool CDocument::OnSaveDocument(std::u16string_view path) {
    try {
        m_fileStamp = WriteCopy(path);
    } catch (...) {
        ReportDocumentFailure(kFailedToSave);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}
