// Showing stored text on a terminal or in a document without letting its control characters act.
#pragma once

#include <string>
#include <string_view>

/// `text` as UTF-8 with every control character (below U+0020, and U+007F) replaced by its picture
/// from the Control Pictures block (U+2400 on), except those in `kept`, which stay as they are.
std::string WithControlPictures(std::u16string_view text, std::u16string_view kept = {});
