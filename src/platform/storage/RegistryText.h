// The text form of the device registry file: a section per key path, one value a line. Reading and
// writing it by hand keeps every value exactly as it was written, whatever characters it holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// One string value of the registry.
struct RegistryEntry {
    std::u16string key;   ///< the full key path, root first: "HKEY_LOCAL_MACHINE\SOFTWARE\Tarrow\Corvina"
    std::u16string name;  ///< the value's name: "InstallDir"
    std::u16string value; ///< the text, any characters but line breaks
};

/// Reads the file's text (UTF-8):
///   [HKEY_LOCAL_MACHINE\SOFTWARE\Tarrow\Corvina]
///   InstallDir=\Program Files\Corvina
/// A line "[key path]" starts a section; in a section, a line "name=value" is a value: the name up
/// to the first "=", the value taken literally to the line's end (a CR before the line feed is part
/// of the line end). Empty lines, lines without "=" and values before the first section are ignored.
std::vector<RegistryEntry> ParseRegistryText(std::string_view text);

/// The file's text for `entries`: one section per key, in the order the keys first appear.
std::string FormatRegistryText(const std::vector<RegistryEntry>& entries);

/// True when the text can be stored as a key path, a value name or a value: no line breaks; names
/// and key parts also not empty, and without "=", "[" or "]".
bool IsStorableValue(std::u16string_view value);
bool IsStorableName(std::u16string_view name);
