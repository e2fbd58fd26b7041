// What corvina-tool's commands share: loading and saving lists as the program does, a list's name,
// and reading input from a file or standard input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CCorvinaDoc;
class CFile;

/// A file operand that stands for standard output or standard input.
inline constexpr std::u16string_view kStandardStreamPath = u"-";

/// Opens a list as the program's Open command does; the document reports any failure itself, and a
/// list that failed to load must not be written anywhere.
bool LoadList(CCorvinaDoc& doc, const std::u16string& path);
/// Whether nothing at all is at `path` (a list to be created there); any other answer, an
/// unreadable folder included, leaves it to loading to say what is wrong.
bool NothingAt(const std::u16string& path);
/// Whether something (a file, a folder, a link even to nothing) is at `path`.
bool SomethingAt(const std::u16string& path);
/// Saves `doc` to `path` through the safe save, as version 3; false after reporting a failure.
bool SaveList(CCorvinaDoc& doc, const std::u16string& path);
/// The list's name: its file name without ".crv".
std::u16string ListName(const CCorvinaDoc& doc);

/// Reads all of standard input ("-") or of the file `path`; nothing after reporting a failure.
std::optional<std::string> ReadInput(const std::u16string& path);
/// Reads `file` from its position to its end. Throws `CFileException` when reading fails.
std::string ReadRest(CFile& file);
/// Standard input as a file.
CFile StandardInput();
