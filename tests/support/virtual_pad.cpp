#include "virtual_pad.h"

#include <algorithm>
#include <cstdio>

#include "KESystem.h"

VirtualPad::VirtualPad() { PlugIn(); }

VirtualPad::~VirtualPad() { PullOut(); }

void VirtualPad::PlugIn() {
  if (joystick_) return;
  // SDL drops pad input while the window lacks the focus, which a test under a bare X
  // server need not have.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Vantrel test pad";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0 || !(joystick_ = SDL_JoystickOpen(index))) {
    std::printf("No virtual pad: %s\n", SDL_GetError());
    return;
  }
  Rest();
}

void VirtualPad::PullOut() {
  if (!joystick_) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
  SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  // The engine takes in the removal now: a pad pulled out at the end of one test must not
  // pause a level of the next.
  KESysUpdate();
}

void VirtualPad::Button(SDL_GameControllerButton button, bool down) {
  if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void VirtualPad::Axis(SDL_GameControllerAxis axis, float value) {
  if (!joystick_) return;
  const bool trigger =
      axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
  // A trigger's whole travel spans the axis's whole range.
  const float raw = trigger ? -32768.0f + std::clamp(value, 0.0f, 1.0f) * 65535.0f
                            : std::clamp(value, -1.0f, 1.0f) * 32767.0f;
  SDL_JoystickSetVirtualAxis(joystick_, axis, Sint16(raw));
}

void VirtualPad::Rest() {
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) Button(SDL_GameControllerButton(b), false);
  for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) Axis(SDL_GameControllerAxis(a), 0);
}
