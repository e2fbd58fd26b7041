// The texts of a document list row's extra columns: when the list file was last written and how many
// items the list holds.
#pragma once

#include "platform/storage/FileFind.h"

#include <cstdint>
#include <string>

/// "month/day/yy" as the device shows file dates: 3/5/04 for 5 March 2004, 12/31/09.
std::u16string FormatListDate(const SYSTEMTIME& time);

/// "No items", "1 item" or "<n> items".
std::u16string FormatItemCount(std::uint32_t count);

/// The count column of a list file whose header cannot be read: short enough for the column.
inline constexpr std::u16string_view kUnreadableCountText = u"Error";
