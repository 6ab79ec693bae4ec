// Between the platform's event pump and its key sampling; not part of the engine's door.
#pragma once

union SDL_Event;

// Remembers a key or mouse-button press so that the next sample reports it as down,
// even when it was released again before the frame looked.
void KEPlatformNotePress(const SDL_Event& event);
