// Icons: the program's icons loaded by number, as the handles a screen gives the window system to
// show for it (title bar, task switcher).
#pragma once

struct IconData; // the picture; defined for the platform's own code in DCBridge.h

/// An icon of the program's resources, or null for none. An icon is loaded once and shared for the
/// rest of the program, so a handle never dangles and nobody frees one.
using HICON = const IconData*;

/// Icon `id` of the program's resources (res/icons/<id>.png); null when the program has no such icon.
HICON LoadIconResource(unsigned id);
