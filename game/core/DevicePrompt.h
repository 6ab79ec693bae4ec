// The one way the game chooses between the keyboard's and the pad's version of a picture
// that names keys: the version of the device the player used last, switching the moment
// the player picks up the other one.
#pragma once

#include "KEInput.h"
#include "PromptPictures.h"
#include "Sprite.h"

template <typename T>
const T& ForDevice(const T& keyboard, const T& pad) {
  return KEInputLastDevice() == KE_INPUT_PAD ? pad : keyboard;
}

// Both versions loaded up front, so that switching costs nothing in a frame.
struct DevicePicture {
  Sprite keyboard, pad;

  void Load(const PromptPictures& pictures, float halfWidth, float halfHeight) {
    keyboard = Sprite();
    keyboard.Init(1, halfWidth, halfHeight);
    keyboard.AddImage(pictures.keyboard);
    pad = Sprite();
    pad.mesh = keyboard.mesh;
    pad.AddImage(pictures.pad);
  }
  const Sprite& Shown() const { return ForDevice(keyboard, pad); }
  void DrawFrame() const { Shown().DrawFrame(); }
};
