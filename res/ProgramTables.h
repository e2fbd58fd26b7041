// The program's resource tables, one function per kind, gathered by ProgramResources().
#pragma once

#include "platform/ui/Resources.h"

#include <span>

std::span<const StringResource> ProgramStrings();
std::span<const DialogTemplate> ProgramDialogs();
std::span<const MenuTemplate> ProgramMenus();
std::span<const MenuBarTemplate> ProgramMenuBars();
std::span<const AcceleratorTable> ProgramAccelerators();
