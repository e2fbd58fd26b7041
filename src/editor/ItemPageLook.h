// What both item details pages share: their light-blue background.
#pragma once

#include "platform/ui/Geometry.h"

namespace editor {

/// The pages' background: red 196, green 222, blue 255. Labels and radio buttons draw on it
/// transparently; every other control keeps the platform's colours.
inline constexpr COLORREF kItemPageBackground = RGB(196, 222, 255);

} // namespace editor
