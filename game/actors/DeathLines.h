// Why a try ended, as the Game Over screen says it in one line. Shared with the art
// generator, which draws each line into its picture.
#pragma once

// How the player died; a monster's touch also names its kind (0 to 4, as MonsterKind).
struct DeathCause {
  enum How { kNone, kLava, kSparks, kCaught, kTouched, kTouchedInDisguise };
  How how = kNone;
  int kind = 0;
};

struct DeathLine {
  DeathCause cause;
  const char* picture;
  const char* words;
};

// A monster that was chasing caught the player; any other touch kills just the same, and
// players only learn that by dying, so the line says it: in disguise, that the look does not
// save them from a touch.
constexpr DeathLine kDeathLines[] = {
    {{DeathCause::kLava, 0}, "Assets/UI/Death_Lava.png",
     "Burnt by lava: only a fire creature's look crosses it"},
    {{DeathCause::kSparks, 0}, "Assets/UI/Death_Sparks.png",
     "Caught in sparks: a bulb's electric trail burns"},
    {{DeathCause::kCaught, 0}, "Assets/UI/Death_Caught_FireRat.png", "Seen and caught by a fire rat"},
    {{DeathCause::kCaught, 1}, "Assets/UI/Death_Caught_WaterRat.png", "Seen and caught by a water rat"},
    {{DeathCause::kCaught, 2}, "Assets/UI/Death_Caught_Tire.png", "Seen and run down by a tire"},
    {{DeathCause::kCaught, 3}, "Assets/UI/Death_Caught_Bulb.png", "Seen and caught by a bulb"},
    {{DeathCause::kCaught, 4}, "Assets/UI/Death_Caught_Fireball.png", "Seen and caught by a fireball"},
    {{DeathCause::kTouched, 0}, "Assets/UI/Death_Touch_FireRat.png",
     "Touched a fire rat: any monster's touch kills"},
    {{DeathCause::kTouched, 1}, "Assets/UI/Death_Touch_WaterRat.png",
     "Touched a water rat: any monster's touch kills"},
    {{DeathCause::kTouched, 2}, "Assets/UI/Death_Touch_Tire.png",
     "Touched a tire: any monster's touch kills"},
    {{DeathCause::kTouched, 3}, "Assets/UI/Death_Touch_Bulb.png",
     "Touched a bulb: any monster's touch kills"},
    {{DeathCause::kTouched, 4}, "Assets/UI/Death_Touch_Fireball.png",
     "Touched a fireball: any monster's touch kills"},
    {{DeathCause::kTouchedInDisguise, 0}, "Assets/UI/Death_TouchInDisguise_FireRat.png",
     "Touched a fire rat: a touch kills, even in disguise"},
    {{DeathCause::kTouchedInDisguise, 1}, "Assets/UI/Death_TouchInDisguise_WaterRat.png",
     "Touched a water rat: a touch kills, even in disguise"},
    {{DeathCause::kTouchedInDisguise, 2}, "Assets/UI/Death_TouchInDisguise_Tire.png",
     "Touched a tire: a touch kills, even in disguise"},
    {{DeathCause::kTouchedInDisguise, 3}, "Assets/UI/Death_TouchInDisguise_Bulb.png",
     "Touched a bulb: a touch kills, even in disguise"},
    {{DeathCause::kTouchedInDisguise, 4}, "Assets/UI/Death_TouchInDisguise_Fireball.png",
     "Touched a fireball: a touch kills, even in disguise"},
};

// The picture of the line for `cause`, or null when there is none (not dead).
constexpr const char* DeathLinePicture(DeathCause cause) {
  for (const DeathLine& line : kDeathLines) {
    if (line.cause.how == cause.how && line.cause.kind == cause.kind) return line.picture;
  }
  return nullptr;
}
