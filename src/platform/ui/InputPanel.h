// The input panel: the on-screen keyboard under the active screen, raised and lowered by screens.
#pragma once

/// Raises the on-screen keyboard above the menu bar; the active screen shrinks to make room.
void RaiseInputPanel();
/// Lowers it again.
void LowerInputPanel();
/// True while it is raised.
bool IsInputPanelRaised();
