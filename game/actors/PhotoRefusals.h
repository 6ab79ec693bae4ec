// Why a click took no photo, as the line shown over the player for a second. Shared with
// the art generator, which draws each line into its picture.
#pragma once

// The first that holds is the one said: a disguise or full slots outlast the recharge.
enum class PhotoRefusal { kNone, kDisguised, kSlotsFull, kRecharging, kNoMonster, kWallBetween };

struct RefusalLine {
  PhotoRefusal why;
  const char* picture;
  const char* words;
};

// Keys can be rebound, so the lines say what to do, not which key does it.
constexpr RefusalLine kRefusalLines[] = {
    {PhotoRefusal::kDisguised, "Assets/UI/NoPhoto_Disguised.png",
     "No photos in disguise: drop it first"},
    {PhotoRefusal::kSlotsFull, "Assets/UI/NoPhoto_SlotsFull.png",
     "All 3 photo slots full: wear one first"},
    {PhotoRefusal::kRecharging, "Assets/UI/NoPhoto_Recharging.png",
     "The camera is still recharging"},
    {PhotoRefusal::kNoMonster, "Assets/UI/NoPhoto_NoMonster.png", "No monster in your cone"},
    {PhotoRefusal::kWallBetween, "Assets/UI/NoPhoto_Wall.png", "A wall hides the monster"},
};
constexpr int kRefusalLineCount = sizeof kRefusalLines / sizeof kRefusalLines[0];
constexpr int kRefusalLineWidth = 360, kRefusalLineHeight = 32;

// The line for `why` in the table, or -1 for none.
constexpr int RefusalIndex(PhotoRefusal why) {
  for (int i = 0; i < kRefusalLineCount; ++i) {
    if (kRefusalLines[i].why == why) return i;
  }
  return -1;
}
