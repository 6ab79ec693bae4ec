#include "Controls.h"

#include <cctype>
#include <cmath>

#include "KEInput.h"
#include "SettingsInEffect.h"

namespace {

struct NamedKey {
  unsigned code;
  const char* name;
};
// Letters, digits and F1 to F12 are named by what is printed on them; the rest here.
const NamedKey kNamedKeys[] = {
    {VK_LBUTTON, "MOUSE_LEFT"},  {VK_RBUTTON, "MOUSE_RIGHT"},  {VK_MBUTTON, "MOUSE_MIDDLE"},
    {VK_BACK, "BACKSPACE"},      {VK_TAB, "TAB"},              {VK_RETURN, "ENTER"},
    {VK_PAUSE, "PAUSE"},         {VK_CAPITAL, "CAPS_LOCK"},    {VK_ESCAPE, "ESCAPE"},
    {VK_SPACE, "SPACE"},         {VK_PRIOR, "PAGE_UP"},        {VK_NEXT, "PAGE_DOWN"},
    {VK_END, "END"},             {VK_HOME, "HOME"},            {VK_LEFT, "LEFT"},
    {VK_UP, "UP"},               {VK_RIGHT, "RIGHT"},          {VK_DOWN, "DOWN"},
    {VK_INSERT, "INSERT"},       {VK_DELETE, "DELETE"},        {VK_LSHIFT, "LEFT_SHIFT"},
    {VK_RSHIFT, "RIGHT_SHIFT"},  {VK_LCONTROL, "LEFT_CTRL"},   {VK_RCONTROL, "RIGHT_CTRL"},
    {VK_LMENU, "LEFT_ALT"},      {VK_RMENU, "RIGHT_ALT"},      {0xBA, "SEMICOLON"},
    {0xBB, "EQUALS"},            {0xBC, "COMMA"},              {0xBD, "MINUS"},
    {0xBE, "PERIOD"},            {0xBF, "SLASH"},              {0xC0, "GRAVE"},
    {0xDB, "LEFT_BRACKET"},      {0xDC, "BACKSLASH"},          {0xDD, "RIGHT_BRACKET"},
    {0xDE, "APOSTROPHE"},
};

// The pad's fixed layout: each action's buttons, none where an action has no button.
struct PadButtons {
  unsigned first, second;
};
constexpr PadButtons kPadLayout[kActionCount] = {
    {VK_GAMEPAD_DPAD_UP, 0},    {VK_GAMEPAD_DPAD_DOWN, 0},
    {VK_GAMEPAD_DPAD_LEFT, 0},  {VK_GAMEPAD_DPAD_RIGHT, 0},
    {VK_GAMEPAD_RIGHT_TRIGGER, VK_GAMEPAD_A},
    {VK_GAMEPAD_LEFT_TRIGGER, VK_GAMEPAD_X},
    {VK_GAMEPAD_B, 0},          {VK_GAMEPAD_MENU, 0},
};

bool PadHeld(Action action) {
  const PadButtons& pad = kPadLayout[int(action)];
  return KEInputCheckCurr(pad.first) || (pad.second && KEInputCheckCurr(pad.second));
}

bool PadTriggered(Action action) {
  const PadButtons& pad = kPadLayout[int(action)];
  return KEInputCheckTriggered(pad.first) || (pad.second && KEInputCheckTriggered(pad.second));
}

}  // namespace

std::string KeyName(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return "KEYPAD_" + std::to_string(key - VK_NUMPAD0);
  for (const NamedKey& named : kNamedKeys) {
    if (named.code == key) return named.name;
  }
  return "";
}

unsigned KeyFromName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  if (upper.empty()) return 0;  // unnamed keys have the empty name
  for (unsigned key = 1; key < 256; ++key) {
    if (KeyName(key) == upper) return key;
  }
  return 0;
}

int ActionBoundTo(const KeyBindings& keys, unsigned key, Action action) {
  for (int i = 0; i < kActionCount; ++i) {
    if (i != int(action) && keys.keys[i] == key) return i;
  }
  return -1;
}

bool ActionHeld(Action action) {
  return KEInputCheckCurr(CurrentSettings().keys[action]) || PadHeld(action);
}

bool ActionTriggered(Action action) {
  return KEInputCheckTriggered(CurrentSettings().keys[action]) || PadTriggered(action);
}

KEVec2 WalkInput() {
  KEVec2 walk = {float(ActionHeld(Action::kWalkRight)) - float(ActionHeld(Action::kWalkLeft)),
                 float(ActionHeld(Action::kWalkUp)) - float(ActionHeld(Action::kWalkDown))};
  float x = 0, y = 0;
  KEInputGetPadStick(0, &x, &y);
  if (x != 0 || y != 0) walk = {walk.x + x, walk.y - y};
  return walk;
}

bool PadFacing(KEVec2* direction) {
  float x = 0, y = 0;
  KEInputGetPadStick(1, &x, &y);
  if (x == 0 && y == 0) return false;
  const float length = std::sqrt(x * x + y * y);
  *direction = {x / length, -y / length};
  return true;
}

bool PlayAgainPressed() {
  return KEInputCheckCurr(VK_SPACE) || KEInputCheckCurr(VK_GAMEPAD_A);
}
