// Keyboard, mouse and clock over SDL2, with the seam through which tests take them over.
#include <SDL.h>
#include <time.h>

#include "KEPlatform.h"
#include "KEPlatformEvents.h"

namespace {

struct VirtualKey {
  SDL_Scancode scancode;
  unsigned char vk;
};

// Scancodes name physical keys, so W A S D stay where they are on every layout.
const VirtualKey kKeyMap[] = {
    {SDL_SCANCODE_BACKSPACE, 0x08}, {SDL_SCANCODE_TAB, 0x09},
    {SDL_SCANCODE_RETURN, 0x0D},    {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_PAUSE, 0x13},     {SDL_SCANCODE_CAPSLOCK, 0x14},
    {SDL_SCANCODE_ESCAPE, 0x1B},    {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_PAGEUP, 0x21},    {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},       {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},      {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_RIGHT, 0x27},     {SDL_SCANCODE_DOWN, 0x28},
    {SDL_SCANCODE_INSERT, 0x2D},    {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_LSHIFT, 0xA0},    {SDL_SCANCODE_RSHIFT, 0xA1},
    {SDL_SCANCODE_LCTRL, 0xA2},     {SDL_SCANCODE_RCTRL, 0xA3},
    {SDL_SCANCODE_LALT, 0xA4},      {SDL_SCANCODE_RALT, 0xA5},
    {SDL_SCANCODE_MINUS, 0xBD},     {SDL_SCANCODE_EQUALS, 0xBB},
    {SDL_SCANCODE_COMMA, 0xBC},     {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},     {SDL_SCANCODE_GRAVE, 0xC0},
    {SDL_SCANCODE_SEMICOLON, 0xBA}, {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_BACKSLASH, 0xDC},
};

// The virtual-key code of a physical key, or 0 for keys the game has no code for.
unsigned char VirtualKeyOf(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return 'A' + (scancode - SDL_SCANCODE_A);
  // SDL orders the digit row 1..9, 0.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return 0x70 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return 0x61 + (scancode - SDL_SCANCODE_KP_1);
  if (scancode == SDL_SCANCODE_KP_0) return 0x60;
  for (const VirtualKey& k : kKeyMap)
    if (k.scancode == scancode) return k.vk;
  return 0;
}

unsigned char VirtualButtonOf(int button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 0x01;
    case SDL_BUTTON_RIGHT:
      return 0x02;
    case SDL_BUTTON_MIDDLE:
      return 0x04;
    default:
      return 0;
  }
}

// Presses seen in the event queue since the last sample. A key or button pressed and
// released between two frames is up again when the frame samples the state; without
// this a quick tap would never reach the game.
bool gPressedSinceSample[256];

void ReadMachineKeys(unsigned char keys[256]) {
  for (int i = 0; i < 256; ++i) keys[i] = gPressedSinceSample[i] ? 0x80 : 0;
  for (bool& pressed : gPressedSinceSample) pressed = false;

  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  for (int scancode = 0; scancode < count; ++scancode)
    if (state[scancode])
      if (const unsigned char vk = VirtualKeyOf(scancode)) keys[vk] = 0x80;

  // Windows also reports the side-less modifier codes.
  if (keys[0xA0] | keys[0xA1]) keys[0x10] = 0x80;
  if (keys[0xA2] | keys[0xA3]) keys[0x11] = 0x80;
  if (keys[0xA4] | keys[0xA5]) keys[0x12] = 0x80;

  Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) keys[0x01] = 0x80;
  if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) keys[0x02] = 0x80;
  if (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) keys[0x04] = 0x80;
}

void ReadMachineCursor(int* x, int* y) { SDL_GetMouseState(x, y); }

uint64_t MachineCounter() { return SDL_GetPerformanceCounter(); }

uint64_t MachineFrequency() { return SDL_GetPerformanceFrequency(); }

// Sleep while more than two milliseconds remain; the caller spins the rest, which ends
// the frame as precisely as a pure spin at a fraction of the processor time.
void MachineWaitUntil(uint64_t deadline) {
  const uint64_t now = SDL_GetPerformanceCounter();
  if (now >= deadline) return;
  const double remaining = double(deadline - now) / double(SDL_GetPerformanceFrequency());
  const double margin = 0.002;
  if (remaining <= margin) return;
  const double nap = remaining - margin;
  timespec ts;
  ts.tv_sec = time_t(nap);
  ts.tv_nsec = long((nap - double(ts.tv_sec)) * 1e9);
  nanosleep(&ts, nullptr);
}

const KEPlatformInputSource kMachine = {ReadMachineKeys, ReadMachineCursor, MachineCounter,
                                        MachineFrequency, MachineWaitUntil};
KEPlatformInputSource gSource = kMachine;

}  // namespace

void KEPlatformNotePress(const SDL_Event& event) {
  unsigned char vk = 0;
  if (event.type == SDL_KEYDOWN) {
    vk = VirtualKeyOf(event.key.keysym.scancode);
    // A modifier held when a key went down counts as held in the frame that sees the key,
    // however quickly the chord was tapped: Ctrl+S is Ctrl+S even when Ctrl is up again
    // by the time the frame samples the keyboard.
    const Uint16 mod = event.key.keysym.mod;
    if (mod & KMOD_SHIFT) gPressedSinceSample[0xA0] = true;
    if (mod & KMOD_CTRL) gPressedSinceSample[0xA2] = true;
    if (mod & KMOD_ALT) gPressedSinceSample[0xA4] = true;
  }
  if (event.type == SDL_MOUSEBUTTONDOWN) vk = VirtualButtonOf(event.button.button);
  if (event.type == SDL_CONTROLLERBUTTONDOWN) vk = KEPlatformPadKeyOf(event.cbutton.button);
  if (vk) gPressedSinceSample[vk] = true;
}

void KEPlatformSetInputSource(const KEPlatformInputSource* source) {
  gSource = kMachine;
  if (!source) return;
  if (source->readKeys) gSource.readKeys = source->readKeys;
  if (source->readCursor) gSource.readCursor = source->readCursor;
  if (source->counter) gSource.counter = source->counter;
  if (source->frequency) gSource.frequency = source->frequency;
  if (source->waitUntil) gSource.waitUntil = source->waitUntil;
}

// Pads stay real under a test's keyboard, so a test can drive one through SDL.
void KEPlatformReadKeys(unsigned char keys[256]) {
  gSource.readKeys(keys);
  KEPlatformReadPadKeys(keys);
}

void KEPlatformReadCursor(int* x, int* y) { gSource.readCursor(x, y); }

uint64_t KEPlatformCounter() { return gSource.counter(); }

uint64_t KEPlatformCounterFrequency() { return gSource.frequency(); }

void KEPlatformWaitUntil(uint64_t deadline) { gSource.waitUntil(deadline); }

void KEPlatformShowCursor(int show) {
  // Windows keeps a display counter; the cursor shows while it is 0 or more.
  static int counter = 0;
  counter += show ? 1 : -1;
  SDL_ShowCursor(counter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}
