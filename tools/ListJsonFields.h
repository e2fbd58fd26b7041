// The names a list's JSON gives its fields and importances, for both of its readers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "model/TaskItem.h"

namespace list_json {

// Arrays, so a comparison knows their length when it is compiled.
inline constexpr char kName[] = "name";
inline constexpr char kItems[] = "items";
inline constexpr char kTitle[] = "title";
inline constexpr char kQuantity[] = "quantity";
inline constexpr char kImportance[] = "importance";
inline constexpr char kChecked[] = "checked";
inline constexpr char kNotes[] = "notes";
inline constexpr char kChildren[] = "children";

inline constexpr char kHigh[] = "high";
inline constexpr char kNormal[] = "normal";
inline constexpr char kLow[] = "low";

inline constexpr std::array<std::pair<std::string_view, std::int32_t>, 3> kImportanceWords{{
    {kHigh, TaskItem::kHighImportance},
    {kNormal, TaskItem::kNormalImportance},
    {kLow, TaskItem::kLowImportance},
}};

} // namespace list_json
