// Game controllers over SDL's game-controller layer: every pad SDL has a mapping for, plugged
// in and out at any time. Their buttons join the key table under the gamepad key codes.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "KEPlatform.h"
#include "KEPlatformEvents.h"
#include "KEReport.h"

namespace {

std::vector<SDL_GameController*> gPads;
unsigned gRemovals = 0;
bool gStarted = false;

struct PadKey {
  SDL_GameControllerButton button;
  unsigned char vk;
};
const PadKey kPadKeys[] = {
    {SDL_CONTROLLER_BUTTON_A, 0xC3},          {SDL_CONTROLLER_BUTTON_B, 0xC4},
    {SDL_CONTROLLER_BUTTON_X, 0xC5},          {SDL_CONTROLLER_BUTTON_Y, 0xC6},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0xC7}, {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0xC8},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0xCB},    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0xCC},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0xCD},  {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0xCE},
    {SDL_CONTROLLER_BUTTON_START, 0xCF},      {SDL_CONTROLLER_BUTTON_BACK, 0xD0},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0xD1},  {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0xD2},
};

// A trigger or a stick direction counts as a pressed key past half way.
constexpr Sint16 kHalfWay = 16384;

float Normalised(Sint16 value) { return std::max(-1.0f, float(value) / 32767.0f); }

// The community's files hold every system's mappings, each line naming its own in a
// "platform:NAME," field; one without that field is taken as meant for every system.
bool ForThisSystem(const char* line) {
  const char* field = std::strstr(line, "platform:");
  if (!field) return true;
  const std::string name(field + 9, std::strcspn(field + 9, ","));
  return SDL_strcasecmp(name.c_str(), SDL_GetPlatform()) == 0;
}

}  // namespace

unsigned char KEPlatformPadKeyOf(int button) {
  for (const PadKey& key : kPadKeys)
    if (key.button == button) return key.vk;
  return 0;
}

void KEPlatformPadStart() {
  if (gStarted) return;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    KEReport("Game controllers cannot be used: %s", SDL_GetError());
    return;
  }
  gStarted = true;
  // Pads already plugged in arrive as added events, like those plugged in later.
}

void KEPlatformPadStop() {
  for (SDL_GameController* pad : gPads) SDL_GameControllerClose(pad);
  gPads.clear();
  if (gStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  gStarted = false;
}

void KEPlatformPadEvent(const SDL_Event& event) {
  if (event.type == SDL_CONTROLLERDEVICEADDED) {
    if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
      // A pad seen twice (at start and in the queue) is opened once.
      if (std::find(gPads.begin(), gPads.end(), pad) == gPads.end()) gPads.push_back(pad);
      else SDL_GameControllerClose(pad);
    }
  } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
    for (auto it = gPads.begin(); it != gPads.end(); ++it) {
      if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == event.cdevice.which) {
        SDL_GameControllerClose(*it);
        gPads.erase(it);
        ++gRemovals;
        break;
      }
    }
  }
}

int KEPlatformPadCount() { return int(gPads.size()); }

unsigned KEPlatformPadRemovals() { return gRemovals; }

int KEPlatformAddPadMapping(const char* line) {
  if (!gStarted || !ForThisSystem(line)) return 0;
  if (SDL_GameControllerAddMapping(line) >= 0) return 1;
  KEPlatformSetLastError(SDL_GetError());
  return -1;
}

void KEPlatformReadPadKeys(unsigned char keys[256]) {
  for (SDL_GameController* pad : gPads) {
    for (const PadKey& key : kPadKeys)
      if (SDL_GameControllerGetButton(pad, key.button)) keys[key.vk] = 0x80;
    if (SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kHalfWay) keys[0xC9] = 0x80;
    if (SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kHalfWay) keys[0xCA] = 0x80;
    // Stick directions, up, down, right, left: the left stick from 0xD3, the right from 0xD7.
    const SDL_GameControllerAxis sticks[2][2] = {
        {SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY},
        {SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY}};
    for (int s = 0; s < 2; ++s) {
      const Sint16 x = SDL_GameControllerGetAxis(pad, sticks[s][0]);
      const Sint16 y = SDL_GameControllerGetAxis(pad, sticks[s][1]);
      const int base = 0xD3 + 4 * s;
      if (y < -kHalfWay) keys[base] = 0x80;
      if (y > kHalfWay) keys[base + 1] = 0x80;
      if (x > kHalfWay) keys[base + 2] = 0x80;
      if (x < -kHalfWay) keys[base + 3] = 0x80;
    }
  }
}

void KEPlatformReadPadAxes(float axes[6]) {
  std::fill(axes, axes + 6, 0.0f);
  for (SDL_GameController* pad : gPads) {
    for (int a = 0; a < 6; ++a) {
      const float value = Normalised(SDL_GameControllerGetAxis(pad, SDL_GameControllerAxis(a)));
      // Two pads at once: the one pushed further wins on each axis.
      if (std::fabs(value) > std::fabs(axes[a])) axes[a] = value;
    }
  }
}
