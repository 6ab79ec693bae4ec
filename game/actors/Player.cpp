#include "Player.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "Controls.h"
#include "GameState.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "Run.h"
#include "StateRequests.h"
#include "Tile.h"
#include "TileMap.h"

Player* gCurrentPlayer = nullptr;
EffectHandle cameraSound;

namespace {

constexpr float kWalkSpeed = 1.5f;
constexpr float kWaterSpeed = 1.0f;
constexpr float kGhostSpeed = 4.0f;
constexpr float kBodySize = 40.0f;
constexpr float kFlashCooldown = 10.0f;
constexpr float kCooldownStep = 0.1f;
constexpr int kFlashFrames = 11;
// A refused click's line shows for about a second of play.
constexpr int kRefusalFrames = 60;
const KEVec2 kOutOfPlay = {10000, 10000};
// The line saying why sits between "GAME OVER" and the way on.
constexpr float kDeathLineY = -45, kTryAgainY = -125;

// What HazardUnder reports, and the photo elements that shrug off lava and water.
enum { kLava = 4, kExit = 5, kWater = 6 };
enum { kFireElement = 0, kWaterElement = 1 };


const char* const kWaterStatus = "Assets/SPDD.png";
const char* const kTireWaterStatus = "Assets/SPDMIX.png";
const char* const kTireStatus = "Assets/SPDU.png";
const char* const kSlowStatus = "Assets/SPDSLOW.png";

// Brightens over five frames and fades back.
const char* const kFlashImages[kFlashFrames] = {
    "Assets/flash1.png", "Assets/flash1.png", "Assets/flash1.png", "Assets/flash2.png",
    "Assets/flash2.png", "Assets/Flash3.png", "Assets/Flash3.png", "Assets/flash2.png",
    "Assets/flash2.png", "Assets/flash1.png", "Assets/flash1.png"};

// Only the first cause counts: lava and a touch in the same frame name the lava.
void Die(Player& player, DeathCause cause) {
  if (player.ghost) return;
  player.lives -= 1;
  if (player.deathCause.how == DeathCause::kNone) player.deathCause = cause;
}

// A monster that was after the player (its alert showing) caught it; any other touch,
// in disguise or unseen, kills all the same.
DeathCause CauseOf(const GameObject& other, bool disguised) {
  if (dynamic_cast<const Electric*>(&other)) return {DeathCause::kSparks, 0};
  const auto* monster = dynamic_cast<const Monster*>(&other);
  if (!monster) return {};
  if (monster->state == Chase && monster->alertShown) return {DeathCause::kCaught, monster->kind};
  return {disguised ? DeathCause::kTouchedInDisguise : DeathCause::kTouched, monster->kind};
}

void SetStatus(const Player& player, const char* name) {
  if (player.strip) player.strip->SetStatusImage(name);
}

void ResetStatus(const Player& player) {
  if (player.strip) player.strip->ResetStatusImage();
}

void ResetPicture(const Player& player, int slot) {
  if (player.strip) player.strip->ResetPicture(slot);
}

void SetPicture(const Player& player, int slot, const std::string& name) {
  if (player.strip) player.strip->SetPicture(slot, name);
}

bool IsEmpty(const Photo& photo) { return photo.kind == Photo::kEmpty; }

// A pace faster or slower than walking shows on the strip: a tire's look, the other looks,
// and a look still halved by water it has left.
void ShowLookSpeed(const Player& player) {
  if (!player.disguised || player.speed == kWalkSpeed)
    ResetStatus(player);
  else
    SetStatus(player, player.speed > kWalkSpeed ? kTireStatus : kSlowStatus);
}

// The facing the cursor asks for, or the one kept with the cursor on the player's centre.
float CursorFacing(const Player& player) {
  int cx, cy;
  KEInputGetCursorPosition(&cx, &cy);
  float camX, camY;
  KEGfxGetCamPosition(&camX, &camY);
  const KEVec2 d = {float(cx - 400) + (camX - player.position.x),
                    -float(cy - 300) + (camY - player.position.y)};
  if (!(d.x * d.x + d.y * d.y > 0)) return player.rotation;
  return std::atan2(d.y, d.x);
}

// The right stick turns the player while it is pushed; at rest the facing stays, unless the
// mouse is in use, which the player faces as before.
float FacingAsked(const Player& player) {
  KEVec2 stick;
  if (PadFacing(&stick)) return std::atan2(stick.y, stick.x);
  if (KEInputLastDevice() != KE_INPUT_PAD) return CursorFacing(player);
  return player.rotation;
}

// What the devices ask of this step, on the grid a run keeps.
PlayerControls ReadControls(const Player& player) {
  PlayerControls controls;
  controls.facing = QuantizedFacing(FacingAsked(player));
  controls.walk = QuantizedWalk(WalkInput());
  controls.photograph = ActionTriggered(Action::kPhotograph);
  controls.disguise = ActionHeld(Action::kDisguise);
  controls.endDisguise = ActionHeld(Action::kEndDisguise);
  controls.ghostToggle = KEInputCheckTriggered('G');
  return controls;
}

void Face(Player& player, float facing) {
  if (facing == player.rotation) return;
  player.rotation = facing;
  player.velocity = {std::cos(facing), std::sin(facing)};
}

// One walking step and what the floor under the new position does to the player.
void Walk(Player& player, float x, float y) {
  const float n = std::sqrt(x * x + y * y);
  if (player.ghost) player.speed = kGhostSpeed;
  const float step = player.speed * float(GameStateManager.timeScale);
  const KEVec2 move = {step * (x / n), step * (y / n)};
  // Walls stop the drawn body; a ghost walks through them and over every floor.
  const TileMap* map = player.ghost ? nullptr : CurrentMap();
  if (player.inPlay && map) {
    player.position = map->WalkBox(player.position, player.scale, move);
  } else if (player.inPlay) {
    player.position = {player.position.x + move.x, player.position.y + move.y};
  }
  const int hazard = map ? map->HazardUnder(player.position, player.scale) : 0;

  const Photo& photo = player.photos[0];
  switch (hazard) {
    case kLava:
      if (!(player.disguised && photo.element == kFireElement)) Die(player, {DeathCause::kLava, 0});
      break;
    case kExit:
      player.reachedExit = true;
      break;
    case kWater:
      if (player.disguised) {
        if (photo.element != kWaterElement) {
          player.speed = photo.speed * 0.5f;
          SetStatus(player, photo.kind == Tire ? kTireWaterStatus : kWaterStatus);
        } else {
          player.speed = kWaterSpeed;
          ShowLookSpeed(player);
        }
      } else {
        SetStatus(player, kWaterStatus);
        player.speed = kWaterSpeed;
      }
      break;
    default:
      // A disguise keeps its own speed, even one halved by water it has left.
      if (!player.disguised) player.speed = kWalkSpeed;
      ShowLookSpeed(player);
      break;
  }
  player.UpdateTransform();
}

// The nearest object seen through the cone, the earliest on a tie.
GameObject* NearestInSight(const Player& player) {
  GameObject* nearest = nullptr;
  float nearestDistance = 0;
  for (const auto& candidate : player.monsters) {
    if (!candidate || !player.sight.Sees(player.position, candidate->position)) continue;
    const float dx = candidate->position.x - player.position.x;
    const float dy = candidate->position.y - player.position.y;
    const float distance = dx * dx + dy * dy;
    if (!nearest || distance < nearestDistance) {
      nearest = candidate.get();
      nearestDistance = distance;
    }
  }
  return nearest;
}

// A monster inside the cone's reach that walls hide: the camera sees it no better.
bool HiddenByWalls(const Player& player) {
  for (const auto& candidate : player.monsters) {
    if (!dynamic_cast<const Monster*>(candidate.get())) continue;
    if (player.sight.Covers(player.position, candidate->position) &&
        !player.sight.Sees(player.position, candidate->position))
      return true;
  }
  return false;
}

// Fills the first empty slot with the nearest monster in sight, or says why it cannot.
PhotoRefusal TakePhoto(Player& player) {
  if (player.disguised) return PhotoRefusal::kDisguised;
  int i = 0;
  while (i < 3 && !IsEmpty(player.photos[i])) ++i;
  if (i == 3) return PhotoRefusal::kSlotsFull;
  if (player.flashCooldown > 0) return PhotoRefusal::kRecharging;
  // Only a monster can be photographed: the nearest thing in sight must be one.
  auto* monster = dynamic_cast<Monster*>(NearestInSight(player));
  if (!monster)
    return HiddenByWalls(player) ? PhotoRefusal::kWallBetween : PhotoRefusal::kNoMonster;
  AudioService::Get().PlayEffect(cameraSound);
  player.flashing = true;
  Photo& photo = player.photos[i];
  photo.kind = monster->kind;
  photo.duration = monster->disguiseDuration;
  photo.animationImage = monster->animationImage;
  photo.size = monster->scale;
  photo.pictureImage = monster->pictureImage;
  photo.element = monster->element;
  photo.speed = monster->speed;
  player.flashCooldown = kFlashCooldown;
  player.photosTaken.push_back(monster->pictureImage);
  SetPicture(player, i, monster->pictureImage);
  return PhotoRefusal::kNone;
}

// Over the player's head, or under it near the view's top; always whole in the view above
// the status strip.
KEVec2 RefusalLinePlace(const Player& player) {
  const float halfWidth = kRefusalLineWidth / 2.0f, halfHeight = kRefusalLineHeight / 2.0f;
  const float margin = 4;
  const float lift = player.scale.y / 2 + halfHeight + margin;
  const float top = KEGfxGetWinMaxY() - halfHeight - margin;
  const float bottom = KEGfxGetWinMinY() + StatusStrip::kStripHeight + halfHeight + margin;
  KEVec2 at = {player.position.x, player.position.y + lift};
  if (at.y > top) at.y = player.position.y - lift;
  at.x = std::clamp(at.x, KEGfxGetWinMinX() + halfWidth + margin,
                    KEGfxGetWinMaxX() - halfWidth - margin);
  at.y = std::clamp(at.y, bottom, top);
  return at;
}

void PutOnDisguise(Player& player) {
  Photo* photos = player.photos;
  player.activeDisguise = &photos[0];
  player.disguiseTime = photos[0].duration;
  player.sprite.AddStrip(photos[0].animationImage, 4, 0.2f);
  player.scale = photos[0].size;
  player.UpdateTransform();
  player.disguised = true;
  player.speed = photos[0].speed;
  ShowLookSpeed(player);

  // The photo in use leaves the strip and the others move left.
  const bool secondEmpty = IsEmpty(photos[1]), thirdEmpty = IsEmpty(photos[2]);
  if (secondEmpty) {
    ResetPicture(player, 0);
    ResetPicture(player, 1);
    ResetPicture(player, 2);
  } else {
    SetPicture(player, 0, photos[1].pictureImage);
  }
  if (thirdEmpty) {
    ResetPicture(player, 1);
    ResetPicture(player, 2);
  } else {
    SetPicture(player, 0, photos[1].pictureImage);
  }
  if (!secondEmpty && !thirdEmpty) {
    SetPicture(player, 0, photos[1].pictureImage);
    SetPicture(player, 1, photos[2].pictureImage);
    ResetPicture(player, 2);
  }
}

void EndDisguise(Player& player) {
  if (player.disguised) {
    // Guarded so that a sprite never loses its own two animations.
    if (player.sprite.animations.size() > 2) player.sprite.animations.pop_back();
    player.sprite.SetAnimation(0);
    player.speed = kWalkSpeed;
    ResetStatus(player);
    player.photos[0] = player.photos[1];
    player.photos[1] = player.photos[2];
    player.photos[2].kind = Photo::kEmpty;
  }
  player.activeDisguise = nullptr;
  player.scale = {kBodySize, kBodySize};
  player.UpdateTransform();
  player.disguised = false;
  player.disguiseTime = 0.0;
}

void UpdateCollisionBox(Player& player) {
  float factor;
  const int kind = player.photos[0].kind;
  if (player.disguised && (kind == FireRat || kind == WaterRat))
    factor = 0.3f;
  else if (!player.disguised || kind == Tire || kind == Bulb || kind == Fireball)
    factor = 0.4f;
  else
    return;
  player.SetBoundsAround({factor, factor});
}

}  // namespace

Player::Player() : GameObject({0, 0}, {0, 0}, {1, 1}, 0), sight(kHalfAngle, kRange) {
  sprite.Init(4, 0.5f, 0.5f);
  sprite.AddStrip("Assets/PlayerStatic.png", 1, 0.2f);
  sprite.AddStrip("Assets/PlayerMove.png", 4, 0.2f);
  // The box comes from the unit scale, before the body is sized.
  SetBoundsAround({0.4f, 0.4f});
  scale = {kBodySize, kBodySize};
  UpdateTransform();
  layer = 20;
}

void Player::Update() {
  PlayerControls controls = ReadControls(*this);
  // The running level records them, or plays a run's in their place.
  if (auto* feed = RunningStateAs<ControlsFeed>()) feed->Feed(&controls);
  Face(*this, controls.facing);

  // Opposite keys cancel; a player whose keys cancel out counts as standing.
  const KEVec2 walk = controls.walk;
  moving = walk.x != 0 || walk.y != 0;

  if (controls.ghostToggle) ghost = !ghost;

  if (!moving) {
    if (!disguised) sprite.SetAnimation(0);
  } else {
    Walk(*this, walk.x, walk.y);
  }

  if (refusalFrames > 0) refusalFrames -= 1;
  if (controls.photograph && inPlay) {
    refusal = TakePhoto(*this);
    refusalFrames = refusal == PhotoRefusal::kNone ? 0 : kRefusalFrames;
  }

  if (controls.disguise && inPlay && !disguised && !IsEmpty(photos[0])) PutOnDisguise(*this);

  if (disguised) disguiseTime -= GameStateManager.stepSeconds;
  if (controls.endDisguise) disguiseTime = 0;

  if (!inPlay && PlayAgainPressed()) {
    inPlay = true;
    lives = 1;
    if (auto* level = RunningStateAs<RestartableState>()) level->Restart();
  }

  if (disguiseTime <= 0) EndDisguise(*this);

  if (moving && !disguised && sprite.currentAnimation == 0) sprite.SetAnimation(1);

  if (flashCooldown > 0) flashCooldown -= kCooldownStep * float(GameStateManager.timeScale);

  // A standing disguised player shows the strip's first frame.
  if (activeDisguise) {
    if (!moving || sprite.currentAnimation == 1) sprite.SetAnimation(2);
  }

  UpdateCollisionBox(*this);
  UpdateTransform();

  // Parked far outside every map, where the game-over picture is drawn.
  if (lives < 1) {
    if (inPlay) {
      const char* line = DeathLinePicture(deathCause);
      deathLineTexture = line ? GetTexture(line) : nullptr;
      // The strip behind the Game Over screen shows no look and no pace of the try that ended.
      EndDisguise(*this);
      ResetStatus(*this);
    }
    inPlay = false;
    position = kOutOfPlay;
    UpdateTransform();
  }

  if (reachedExit) {
    exitPoint = position;
    position = {0, 0};
    UpdateTransform();
    RequestResultScreen();
  }

  sight.Follow(position, rotation, scale.x);
}

void Player::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  KEGfxSetTransform(&transform);
  sprite.DrawFrame();

  if (inPlay) sight.Draw();
  const int refused = RefusalShown();
  if (refused >= 0) {
    const KEVec2 at = RefusalLinePlace(*this);
    DrawPicture(refusalMesh, refusalTextures[refused], at.x, at.y);
  }
  if (!inPlay) {
    DrawPicture(gameOverMesh, gameOverTexture, kOutOfPlay.x, kOutOfPlay.y);
    if (deathLineTexture)
      DrawPicture(deathLineMesh, deathLineTexture, kOutOfPlay.x, kOutOfPlay.y + kDeathLineY);
    BeginSpriteDraw(1.0f, kOutOfPlay.x, kOutOfPlay.y + kTryAgainY);
    tryAgain.DrawFrame();
  }

  if (flashing) {
    KEGfxGetCamPosition(&flashPosition.x, &flashPosition.y);
    if (flashFrame >= kFlashFrames) {
      flashFrame = 0;
      flashing = false;
    } else {
      flashTexture = GetTexture(kFlashImages[flashFrame]);
      flashFrame += 1;
      DrawPicture(flashMesh, flashTexture, flashPosition.x, flashPosition.y);
    }
  }
}

void Player::Initialize() {
  AudioService& audio = AudioService::Get();
  // A second Initialize must not leave the first sound loaded for good.
  audio.ReleaseEffect(cameraSound);
  cameraSound = audio.LoadEffect("Assets/camsound.wav");

  // The whole view: the status strip covers its bottom.
  gameOverMesh = MakeQuad(-400, 400, -300, 300);
  gameOverTexture = GetTexture("Assets/GameOver.png");
  deathLineMesh = MakeQuad(-380, 380, -20, 20);
  tryAgain.Load(kTryAgainPictures, kHintWidth / 2.0f, kHintHeight / 2.0f);
  flashMesh = MakeQuad(-400, 400, -300, 300);
  flashTexture = GetTexture("Assets/flash1.png");
  refusalMesh = MakeQuad(-kRefusalLineWidth / 2.0f, kRefusalLineWidth / 2.0f,
                         -kRefusalLineHeight / 2.0f, kRefusalLineHeight / 2.0f);
  for (int i = 0; i < kRefusalLineCount; ++i)
    refusalTextures[i] = GetTexture(kRefusalLines[i].picture);

  monsters.clear();
  for (const auto& object : gObjectManager.objects) {
    if (object && typeid(*object) == typeid(Monster)) monsters.push_back(object);
  }

  sight.maxLength = sight.length = (sight.range - scale.x * 0.5f) / 2.7f;
  sight.sprite.SetImage("Assets/playerLOS.png");
}

void Player::Free() {
  AudioService::Get().ReleaseEffect(cameraSound);
  monsters.clear();  // the world list is being emptied: let the monsters go with it
}

int Player::RefusalShown() const {
  return inPlay && refusalFrames > 0 ? RefusalIndex(refusal) : -1;
}

float Player::CameraCharge() const {
  return flashCooldown > 0 ? std::max(0.0f, 1 - flashCooldown / kFlashCooldown) : 1.0f;
}

void Player::OnCollision(std::shared_ptr<GameObject> other) {
  Die(*this, other ? CauseOf(*other, disguised) : DeathCause{});
}

std::shared_ptr<Player> CreatePlayer() {
  std::shared_ptr<Player> player(new Player());
  gObjectManager.objects.push_back(player);
  return player;
}
