// A game controller attached through SDL's virtual joystick: the engine opens and reads it
// as it would a real pad, through SDL's events, with no hardware.
#pragma once

#include <SDL.h>

class VirtualPad {
 public:
  VirtualPad();   // plugged in, and seen by the engine once its events are pumped
  ~VirtualPad();  // pulled out
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void PlugIn();
  void PullOut();
  bool pluggedIn() const { return joystick_ != nullptr; }

  void Button(SDL_GameControllerButton button, bool down);
  // Sticks from -1 to 1 (y down); triggers from 0 (at rest) to 1.
  void Axis(SDL_GameControllerAxis axis, float value);
  void Rest();  // every button up, sticks centred, triggers released

 private:
  SDL_Joystick* joystick_ = nullptr;
};
