// Date and item-count texts of the document list.
#include "shell/ListRowTexts.h"

#include "platform/core/Strings.h"

#include <cstdio>

namespace {

constexpr int kYearsShown = 100; // the year is shown with its last two digits

} // namespace

std::u16string FormatListDate(const SYSTEMTIME& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%02d", time.wMonth, time.wDay, time.wYear % kYearsShown);
    return Widen(text);
}

std::u16string FormatItemCount(std::uint32_t count) {
    if (count == 0) {
        return u"No items";
    }
    if (count == 1) {
        return u"1 item";
    }
    return Widen(std::to_string(count) + " items");
}
