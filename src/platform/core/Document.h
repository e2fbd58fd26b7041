// The document base: a title, a path name and a modified flag, and the open and save sequences that
// run a derived document's `Serialize` over an archive and report failures to the user.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/FileStamp.h"
#include "platform/core/Object.h"

class CArchive;

/// Turns a path as a document is given it into the host path (bytes) of its file.
using HostPathMapping = std::function<std::string(std::u16string_view path)>;

/// Base of documents. Opening reads the whole file through a load archive; saving writes the whole
/// file safely (a temporary file beside it, flushed, then renamed over it), so a failed save leaves
/// the previous file byte for byte.
class CDocument : public CObject {
public:
    /// The buffer size of archives that read a few bytes of a file (a list file's header).
    static constexpr std::size_t kArchiveBufferSize = 4096;
    /// The buffer size of the archives the open and save sequences use: a whole file passes through
    /// them, and large blocks keep the system calls few.
    static constexpr std::size_t kWholeFileBufferSize = 64 * 1024;
    /// Reported when opening fails for a reason that has no file or format cause.
    static constexpr std::u16string_view kFailedToOpen = u"Failed to open document.";
    /// Reported when saving fails for a reason that has no file or format cause.
    static constexpr std::u16string_view kFailedToSave = u"Failed to save document.";

    ~CDocument() override = default;

    const std::u16string& GetTitle() const { return m_title; }
    /// Sets the title shown for the document.
    virtual void SetTitle(std::u16string title) { m_title = std::move(title); }
    /// The full path; empty until the document is opened from or saved to a file.
    const std::u16string& GetPathName() const { return m_pathName; }
    /// Stores the full path and sets the title to its last component (the file name with its
    /// extension). Corvina keeps no recent-file list, so `addToRecent` has no effect.
    virtual void SetPathName(std::u16string_view path, bool addToRecent = true);

    /// The file as this document last read or wrote it: nothing for a new document, or after an
    /// open that failed. Whoever saves over the file can tell from it whether another program has
    /// written the file since.
    const std::optional<FileStamp>& GetFileStamp() const { return m_fileStamp; }
    /// Takes `stamp` as the version of the file the document stands for, as an open or a save does; for
    /// a document read from elsewhere (a recovery copy of the file) that the user chose over the file.
    void SetFileStamp(std::optional<FileStamp> stamp) { m_fileStamp = stamp; }

    /// Where the paths this document is opened from and saved to lie on the host: its owner maps
    /// the paths of the storage it works in. Without a mapping a path is a host path (UTF-8).
    void SetHostPathMapping(HostPathMapping mapping) { m_hostPathMapping = std::move(mapping); }
    /// The host path of `path` through the document's mapping.
    std::string HostPathOf(std::u16string_view path) const;

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    /// Starts a new document: clears the path name, the file stamp and the modified flag; the
    /// contents stay.
    virtual bool OnNewDocument();
    /// Reads `path` with `Serialize`. A zero-length file reads nothing. On failure reports the cause,
    /// leaves the modified flag set and returns false; what was read before the failure stays.
    virtual bool OnOpenDocument(std::u16string_view path);
    /// Writes `path` safely with `Serialize`. On failure reports the cause, leaves the previous file
    /// untouched and the modified flag as it was, and returns false.
    virtual bool OnSaveDocument(std::u16string_view path);
    /// Writes `path` safely with `Serialize`, as a save does, but reports nothing and leaves the
    /// modified flag alone: a copy of the document, not the document's file. Throws the failure's
    /// cause (a `CFileException` or `CArchiveException`); the previous file at `path` then stays.
    /// Answers the stamp of the file written.
    std::optional<FileStamp> WriteCopy(std::u16string_view path);
    /// Puts into `bytes` (emptied first, its memory reused) the bytes `WriteCopy` would write: a copy
    /// made in memory, whose writing to storage is somebody else's job. Throws a `CArchiveException`
    /// when the document cannot be stored.
    void EncodeCopy(std::string& bytes);
    /// Empties the document; the base has nothing to empty.
    virtual void DeleteContents() {}

    /// Reads or writes the whole document.
    void Serialize(CArchive& archive) override = 0;

protected:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

private:
    std::u16string m_title;
    std::u16string m_pathName;
    std::optional<FileStamp> m_fileStamp;
    HostPathMapping m_hostPathMapping;
    bool m_modified = false;
};
