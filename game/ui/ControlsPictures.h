// The pictures the controls screen puts together at run time, shared with the art generator
// that draws them.
#pragma once

// One strip of equal cells, a glyph centred in each, in this order: key names and the
// screen's short messages are set in them.
constexpr char kKeyGlyphs[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_:";
constexpr int kKeyGlyphCount = sizeof kKeyGlyphs - 1;
constexpr const char kKeyGlyphsPicture[] = "Assets/UI/KeyGlyphs.png";
constexpr int kKeyGlyphWidth = 18;
constexpr int kKeyGlyphHeight = 26;

// Behind a key's name: idle, under the focus, and waiting for the new key.
constexpr const char* kKeyPlatePictures[] = {"Assets/UI/KeyPlate_idle.png",
                                             "Assets/UI/KeyPlate_hover.png",
                                             "Assets/UI/KeyPlate_chosen.png"};
constexpr int kKeyPlateWidth = 200, kKeyPlateHeight = 36;

// The rows of the screen, in the order of the actions.
constexpr const char* kActionLabels[] = {"WALK UP",    "WALK DOWN", "WALK LEFT",
                                         "WALK RIGHT", "PHOTOGRAPH", "DISGUISE",
                                         "END DISGUISE", "PAUSE"};
// What the pad does for each, fixed.
constexpr const char* kActionPadButtons[] = {"left stick or d-pad", "left stick or d-pad",
                                             "left stick or d-pad", "left stick or d-pad",
                                             "RT or A", "LT or X", "B", "Start"};
constexpr float kFirstActionRowY = 148, kActionRowPitch = 38;  // screen pixels
// Under the rows, inside the panel (its foot at 500): the line on how to rebind, then the
// screen's message.
constexpr float kControlsHintY = 456, kControlsMessageY = 480;
constexpr float kKeyPlateX = 420;
