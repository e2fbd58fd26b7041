// Renaming a file without ever replacing another one.
#pragma once

#include <string_view>

/// Renames (or moves) the file `from` to `to`. Throws a `CFileException` naming `from` with the
/// cause when it cannot: a file already at `to` is never replaced, whatever the file system, and is
/// reported as `AlreadyExists` naming `to`.
void RenameWithoutReplacing(std::u16string_view from, std::u16string_view to);
