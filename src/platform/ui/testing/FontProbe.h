// What UI tests ask the font engine about a CFont that the font's own API does not tell: which
// family it really resolved to, whether it came out bold, and whether its hinting was chosen.
#pragma once

#include "platform/ui/Font.h"

#include <string>

namespace uitest {

/// The family the font engine actually renders `font` with, after any substitution (an empty CFont
/// gives the device's default font). Empty when the engine resolved no family at all.
std::u16string ResolvedFamily(const CFont& font);

/// True when the font engine renders `font` bold, whether from a bold face file or by thickening
/// the regular one.
bool ResolvesBold(const CFont& font);

/// True when `font` names its own hinting instead of leaving it to the platform's default, which
/// differs between hosts and would change every text measure (an empty CFont gives the device's
/// default font).
bool HasExplicitHinting(const CFont& font);

/// The em size in pixels the font engine draws `font`'s glyphs at.
int EmPixels(const CFont& font);

} // namespace uitest
