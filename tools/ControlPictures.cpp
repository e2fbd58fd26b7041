// Control characters shown as their pictures.
#include "ControlPictures.h"

#include "platform/core/Strings.h"

namespace {

constexpr char16_t kFirstControlPicture = u'\u2400';
constexpr char16_t kDeletePicture = u'\u2421';
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = u'\x7F';

} // namespace

std::string WithControlPictures(std::u16string_view text, std::u16string_view kept) {
    std::u16string shown(text);
    for (char16_t& unit : shown) {
        if (kept.find(unit) != std::u16string_view::npos) {
            continue;
        }
        if (unit < kFirstPrintable) {
            unit = static_cast<char16_t>(kFirstControlPicture + unit);
        } else if (unit == kDelete) {
            unit = kDeletePicture;
        }
    }
    return ToUtf8(shown);
}
