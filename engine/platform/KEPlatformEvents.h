// Between the platform's event pump and its key sampling; not part of the engine's door.
#pragma once

union SDL_Event;

// Remembers a key or mouse-button press so that the next sample reports it as down,
// even when it was released again before the frame looked.
void KEPlatformNotePress(const SDL_Event& event);

// Pads: opens one plugged in, closes one pulled out.
void KEPlatformPadEvent(const SDL_Event& event);
// The key code of a pad button, or 0.
unsigned char KEPlatformPadKeyOf(int button);
void KEPlatformPadStart();
void KEPlatformPadStop();
// Adds the buttons, triggers and stick directions of every open pad to the key table.
void KEPlatformReadPadKeys(unsigned char keys[256]);
