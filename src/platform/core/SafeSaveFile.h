// Safe saving: a file is written beside its target into an unnamed temporary file, flushed to storage
// and only then named and renamed over the target, so a failure at any point, a killed process
// included, leaves the old file as it was and nothing beside it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/File.h"

/// One safe save in progress. Write through `File()`, then `Commit()`. Destroyed without a commit
/// (after an exception, say) it drops the temporary file and the target stays untouched.
///
/// A target that is not a regular file (a folder, a named pipe, a socket, a device) is never
/// replaced: the save refuses it, at the start and again just before the rename. A target that is a
/// symbolic link is saved through to the file the link names, in that file's folder, so the link
/// stays a link. Where the file system has no unnamed temporary files, a named one is used;
/// temporaries of the same target left by a process that no longer runs are removed by the next
/// save.
class SafeSaveFile {
public:
    /// Creates the temporary file in the folder of the host file `targetPath`. Throws a
    /// `CFileException` naming `targetPath` (the file the user knows) when that is impossible or the
    /// target is not a file, or naming the folder when the folder refuses new files.
    explicit SafeSaveFile(std::u16string targetPath);
    /// As above, for the host file `targetHostPath` (bytes, as the host names it); messages name
    /// it `targetPath`.
    SafeSaveFile(std::string targetHostPath, std::u16string targetPath);
    ~SafeSaveFile();
    SafeSaveFile(const SafeSaveFile&) = delete;
    SafeSaveFile& operator=(const SafeSaveFile&) = delete;

    /// The temporary file, open for writing.
    CFile& File() { return m_file; }
    /// Flushes the temporary file to storage, names it, renames it over the target and flushes the
    /// folder, so the rename itself survives a power cut. When a flush fails the save fails and the
    /// target is the old file again (or absent, as it was).
    void Commit();
    /// Closes and removes the temporary file; the target is not touched.
    void Discard();

private:
    /// Opens an unnamed temporary file in the folder; false when the file system has none.
    bool OpenUnnamed();
    /// Opens a temporary file under a fresh name in the folder.
    void OpenNamed();
    /// Throws when what the save would replace is not a file (a folder, a named pipe, a socket or a
    /// device), naming the target and what it is.
    void RefuseWhatIsNotAFile() const;
    /// Throws the failure to create a file in the folder: a folder that refuses new files is named
    /// as such, any other cause names the target.
    [[noreturn]] void ThrowCreateFailure(int osError) const;
    /// Gives the temporary file the target's permissions, so a save does not change who may read it.
    void CopyTargetPermissions();
    /// Gives an unnamed temporary file its name, just before the rename.
    void NameUnnamed();
    /// Keeps the file about to be replaced under a temporary name, so a failed folder flush can put
    /// it back; nothing is kept when there is no such file or the file system cannot link.
    void KeepReplacedFile();
    /// After a failure past the rename: the kept old file back in place, or the new one removed.
    void UndoRename();

    std::u16string m_targetPath;
    /// The host path of the target, as given.
    std::string m_targetHostPath;
    /// The host path of the file that is replaced: the target, or what its links lead to.
    std::string m_replacedPath;
    /// The host folder that path lies in.
    std::string m_folder;
    /// The host path of the temporary file once it has a name; empty while it has none.
    std::string m_temporaryPath;
    /// The host path under which the replaced file is kept during the commit; empty when none.
    std::string m_keptPath;
    /// A file was there to be replaced when the commit began.
    bool m_replacesFile = false;
    /// The rename over the target has been made in this commit.
    bool m_renamed = false;
    CFile m_file;
    bool m_committed = false;
};

/// Test seam: while alive, safe saves on this thread use named temporary files (as on file systems
/// without unnamed ones) when asked to, log the steps that make a save durable, in order, and make
/// one flush fail as failing storage would. A flush is logged only when the flush itself was made
/// and succeeded.
class ScopedSafeSaveProbe {
public:
    /// The durability steps of a commit.
    enum class Step { FileFlushed, Renamed, FolderFlushed };

    explicit ScopedSafeSaveProbe(bool namedTemporaries = false);
    ~ScopedSafeSaveProbe();
    ScopedSafeSaveProbe(const ScopedSafeSaveProbe&) = delete;
    ScopedSafeSaveProbe& operator=(const ScopedSafeSaveProbe&) = delete;

    /// Use named temporary files even where unnamed ones exist.
    bool namedTemporaries;
    /// The steps taken so far, in order.
    std::vector<Step> steps;
    /// The flush (FileFlushed or FolderFlushed) that fails with `flushError` instead of being made.
    std::optional<Step> failingFlush;
    /// The operating-system error number the failing flush answers.
    int flushError = EIO;

private:
    ScopedSafeSaveProbe* m_previous;
};
