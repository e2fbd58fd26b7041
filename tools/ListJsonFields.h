// The names a list's JSON gives its fields and importances, for the writer and both readers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "model/TaskItem.h"

namespace list_json {

inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kItems = "items";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kQuantity = "quantity";
inline constexpr std::string_view kImportance = "importance";
inline constexpr std::string_view kChecked = "checked";
inline constexpr std::string_view kNotes = "notes";
inline constexpr std::string_view kChildren = "children";

inline constexpr std::array<std::pair<std::string_view, std::int32_t>, 3> kImportanceWords{{
    {"high", TaskItem::kHighImportance},
    {"normal", TaskItem::kNormalImportance},
    {"low", TaskItem::kLowImportance},
}};

} // namespace list_json
