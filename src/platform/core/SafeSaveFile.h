// Safe saving: a file is written beside its target under a temporary name, flushed to storage and
// only then renamed over the target, so a failure at any point leaves the old file as it was.
#pragma once

#include <string>

#include "platform/core/File.h"

/// One safe save in progress. Write through `File()`, then `Commit()`. Destroyed without a commit
/// (after an exception, say) it removes the temporary file and the target stays untouched.
class SafeSaveFile {
public:
    /// Creates the temporary file in the target's folder. Throws a `CFileException` naming
    /// `targetPath` (the file the user knows) when that is impossible.
    explicit SafeSaveFile(std::u16string targetPath);
    ~SafeSaveFile();
    SafeSaveFile(const SafeSaveFile&) = delete;
    SafeSaveFile& operator=(const SafeSaveFile&) = delete;

    /// The temporary file, open for writing.
    CFile& File() { return file_; }
    /// Flushes the temporary file to storage, closes it and renames it over the target.
    void Commit();
    /// Closes and removes the temporary file; the target is not touched.
    void Discard();

    const std::u16string& TargetPath() const { return targetPath_; }
    const std::u16string& TemporaryPath() const { return temporaryPath_; }

private:
    /// Gives the temporary file the target's permissions, so a save does not change who may read it.
    void CopyTargetPermissions();

    std::u16string targetPath_;
    std::u16string temporaryPath_;
    CFile file_;
    bool committed_ = false;
};
