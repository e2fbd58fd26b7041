// A text as a JSON string literal, as the JSON library writes it, without the library's cost for
// the texts that need no escape (nearly all titles and notes).
#pragma once

#include <string>
#include <string_view>

/// Appends `utf8` (valid UTF-8) to `out` in double quotes: as it is when it holds no control
/// character, double quote or backslash, else as the JSON library escapes it.
void AppendJsonString(std::string& out, std::string_view utf8);
/// The same for `text` encoded as UTF-8 (an unpaired surrogate as U+FFFD), encoded straight into
/// `out`.
void AppendJsonString(std::string& out, std::u16string_view text);
