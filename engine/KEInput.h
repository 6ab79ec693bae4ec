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
};

// Life cycle
int KEInputInit();  // returns 1
void KEInputReset();  // zero both tables, the cursor and its delta
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
