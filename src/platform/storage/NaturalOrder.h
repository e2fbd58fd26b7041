// The order people expect names in: letters without regard to case, runs of digits by their value.
#pragma once

#include <string_view>

/// True when `a` comes before `b`: compared piece by piece, a run of digits with a run of digits by
/// its value ("List 2" before "List 10"), other characters without regard to letter case; names
/// equal that way fall back to their exact code units, so the order is total.
bool NaturalLess(std::u16string_view a, std::u16string_view b);
