// How the names of files on the host become the program's text and back: names read from the host
// keep their bytes, so a file whose name is not UTF-8 can still be opened, renamed and deleted.
#pragma once

#include <string>
#include <string_view>

/// A file name as the host's file system holds it (bytes) turned into the program's UTF-16, so that
/// HostBytesFromName gives the very same bytes back: a valid UTF-8 name is decoded as such; in any
/// other name each byte from 0x80 up is kept as the code unit 0xDC00 + byte, which no decoded text
/// holds.
std::u16string NameFromHostBytes(std::string_view bytes);
/// The bytes of a name or path for the host: UTF-8, with the kept bytes of NameFromHostBytes put
/// back as they were.
std::string HostBytesFromName(std::u16string_view name);
/// A name as the user reads it: the kept bytes of a name that is not valid UTF-8 decoded as the
/// program decodes all 8-bit text (UTF-8, else Windows-1252); any other name as it is.
std::u16string ReadableName(std::u16string_view name);
