// Renaming a file without ever replacing another one.
#pragma once

#include <string>
#include <string_view>

/// Renames (or moves) the host file `from` to `to`. Throws a `CFileException` naming `from` with the
/// cause when it cannot: a file already at `to` is never replaced, whatever the file system, and is
/// reported as `AlreadyExists` naming `to`.
void RenameWithoutReplacing(std::u16string_view from, std::u16string_view to);
/// Renames the file at host path `hostFrom` to `hostTo` (bytes, as the host names them), as above;
/// messages name them `from` and `to`.
void RenameWithoutReplacing(const std::string& hostFrom, const std::string& hostTo, std::u16string_view from,
                            std::u16string_view to);
