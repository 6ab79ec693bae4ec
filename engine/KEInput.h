// Input module: one snapshot of the keyboard and mouse per frame, compared with the
// previous one. Keys are Windows virtual-key codes; mouse buttons share the table.
#pragma once

// Virtual-key codes used by the game. Letters and digits are their ASCII capitals.
enum {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,  // Alt
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_NUMPAD0 = 0x60,
  VK_F1 = 0x70,
  VK_F3 = 0x72,
  VK_F12 = 0x7B,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
  VK_LCONTROL = 0xA2,
  VK_RCONTROL = 0xA3,
  VK_LMENU = 0xA4,
  VK_RMENU = 0xA5,
  // Pad buttons, numbered as Windows numbers them. Triggers and stick directions count as
  // pressed past half way.
  VK_GAMEPAD_A = 0xC3,
  VK_GAMEPAD_B = 0xC4,
  VK_GAMEPAD_X = 0xC5,
  VK_GAMEPAD_Y = 0xC6,
  VK_GAMEPAD_RIGHT_SHOULDER = 0xC7,
  VK_GAMEPAD_LEFT_SHOULDER = 0xC8,
  VK_GAMEPAD_LEFT_TRIGGER = 0xC9,
  VK_GAMEPAD_RIGHT_TRIGGER = 0xCA,
  VK_GAMEPAD_DPAD_UP = 0xCB,
  VK_GAMEPAD_DPAD_DOWN = 0xCC,
  VK_GAMEPAD_DPAD_LEFT = 0xCD,
  VK_GAMEPAD_DPAD_RIGHT = 0xCE,
  VK_GAMEPAD_MENU = 0xCF,  // Start
  VK_GAMEPAD_VIEW = 0xD0,  // Back
  VK_GAMEPAD_LEFT_THUMBSTICK_BUTTON = 0xD1,
  VK_GAMEPAD_RIGHT_THUMBSTICK_BUTTON = 0xD2,
  VK_GAMEPAD_LEFT_THUMBSTICK_UP = 0xD3,
  VK_GAMEPAD_LEFT_THUMBSTICK_DOWN = 0xD4,
  VK_GAMEPAD_LEFT_THUMBSTICK_RIGHT = 0xD5,
  VK_GAMEPAD_LEFT_THUMBSTICK_LEFT = 0xD6,
  VK_GAMEPAD_RIGHT_THUMBSTICK_UP = 0xD7,
  VK_GAMEPAD_RIGHT_THUMBSTICK_DOWN = 0xD8,
  VK_GAMEPAD_RIGHT_THUMBSTICK_RIGHT = 0xD9,
  VK_GAMEPAD_RIGHT_THUMBSTICK_LEFT = 0xDA,
};

enum KEInputDevice { KE_INPUT_KEYBOARD_MOUSE = 0, KE_INPUT_PAD = 1 };

// Life cycle
int KEInputInit();  // returns 1
void KEInputReset();  // zero both tables, the cursor and its delta; the device used last stays
void KEInputUpdate();  // previous := current, then sample keys and cursor
void KEInputExit();

// Queries on the snapshot (any key code is masked with 0xFF)
int KEInputCheckCurr(unsigned int key);
int KEInputCheckPrev(unsigned int key);
bool KEInputCheckTriggered(unsigned int key);  // down now, up in the previous sample
bool KEInputCheckReleased(unsigned int key);   // up now, down in the previous sample

// Cursor in the 800 x 600 view's pixels wherever the view is scaled and centred; on the
// bars around it the position lies outside 0..800 x 0..600, so no button answers there.
// The delta is in view pixels too.
void KEInputGetCursorPosition(int* x, int* y);
void KEInputGetCursorPositionDelta(int* dx, int* dy);
void KEInputShowCursor(int show);  // counter: visible while it is 0 or more

// Game controllers: every pad SDL knows (and those SDL_GAMECONTROLLERCONFIG maps), plugged
// in and out at any time; their buttons are keys of the snapshot above.
int KEInputPadCount();
// A pad was pulled out between the previous update and this one.
bool KEInputPadRemoved();
// Adds one mapping line in the community's format: 1 when it is taken, 0 when it is meant for
// another system, -1 when it is no mapping SDL can use. A line without a platform field is
// for every system.
int KEInputAddPadMapping(const char* line);
// Stick 0 (left) or 1 (right) with the dead zone taken out: 0 inside it, rising to length 1
// at the rim; x right, y down, as on the screen.
void KEInputGetPadStick(int stick, float* x, float* y);
// What the player used last: a key, a click or a mouse move, or a pad.
KEInputDevice KEInputLastDevice();
