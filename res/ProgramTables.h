// The program's resource tables, one function per kind, gathered by ProgramResources().
#pragma once

#include "platform/ui/Resources.h"

#include <span>
#include <string_view>

/// The program's version as the about box and `corvina --version` show it.
inline constexpr std::u16string_view kProgramVersionText = u"Version 1.06";

std::span<const StringResource> ProgramStrings();
std::span<const DialogTemplate> ProgramDialogs();
std::span<const MenuTemplate> ProgramMenus();
std::span<const MenuBarTemplate> ProgramMenuBars();
std::span<const AcceleratorTable> ProgramAccelerators();
