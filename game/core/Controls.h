// The player's controls in a level, read through one small view so that the player never
// asks which device is in use: the keys of the player's choice (kept with the settings)
// and a pad's fixed layout.
#pragma once

#include <string>

#include "KEMath.h"
#include "Settings.h"

// The name a person writes in the settings file ("W", "SPACE", "MOUSE_LEFT"); empty for a
// code that has none.
std::string KeyName(unsigned key);
// The code of a key's name, in any case; 0 for a name the game does not know.
unsigned KeyFromName(const std::string& name);
// The action already bound to `key` other than `action`, or -1.
int ActionBoundTo(const KeyBindings& keys, unsigned key, Action action);

// Held or pressed on this frame, by its key or its pad button: photograph (right trigger or
// A), disguise (left trigger or X), end the disguise (B), pause (Start).
bool ActionHeld(Action action);
bool ActionTriggered(Action action);
// The walking direction in the world (y up) from the walk keys, the d-pad or the left stick
// past its dead zone: zero when standing. Only the direction counts.
KEVec2 WalkInput();
// The facing the right stick asks for, in the world (y up); false while it rests.
bool PadFacing(KEVec2* direction);
// Play again after a death: Space, or the pad's A.
bool PlayAgainPressed();
