#include "Monster.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>

#include "GameState.h"
#include "ObjectManager.h"
#include "Player.h"
#include "Tile.h"
#include "TileMap.h"

namespace {

// One row per kind: what the monster looks like, what a photo of it gives the player.
struct KindRow {
  const char* animationImage;
  const char* pictureImage;
  int element;  // 0 fire, 1 water, 2 and 3 nothing
  float disguiseDuration;
  float speed;
  KEVec2 halfExtent;  // collision box, times the scale
};

constexpr int kKindCount = 5;
const KindRow kKinds[kKindCount] = {
    {"Assets/FIRERAT.png", "Assets/SFIRE.png", 0, 40.0f, 0.7f, {0.5f, 0.3f}},
    {"Assets/WATERRAT.png", "Assets/SWATER.png", 1, 10.0f, 1.0f, {0.5f, 0.3f}},
    {"Assets/TIRE.png", "Assets/STIRE.png", 2, 4.0f, 3.0f, {0.45f, 0.45f}},
    {"Assets/BULB.png", "Assets/SBULB.png", 3, 7.0f, 1.0f, {0.45f, 0.45f}},
    {"Assets/FIREBALL.png", "Assets/SLAVA.png", 0, 7.0f, 1.0f, {0.45f, 0.45f}},
};

const KindRow* RowOf(int kind) { return kind >= 0 && kind < kKindCount ? &kKinds[kind] : nullptr; }

// What a monster does on seeing the player: by its own kind (rows) and by the player's
// disguise (columns: none, then as kind 0 to 4).
enum Decision { kChase, kPatrol, kStay };
constexpr Decision C = kChase, P = kPatrol, S = kStay;
const Decision kDecisions[kKindCount][6] = {
    {C, P, P, P, P, P},  // fire rat: fooled by any disguise
    {C, P, P, P, P, P},  // water rat
    {C, C, C, P, P, P},  // tire: sees through rats only
    {C, C, C, S, P, S},  // bulb: puzzled by a tire or a fireball, waits until it is sure
    {C, C, C, C, C, P},  // fireball: fooled by its own kind only
};

// Column of the player's look in the tables; a disguise of no known kind fools nobody.
int DisguiseColumn(const Player& player) {
  const Photo* disguise = player.activeDisguise;
  if (!disguise || disguise->kind < 0 || disguise->kind >= kKindCount) return 0;
  return disguise->kind + 1;
}

constexpr int kWater = 6;
constexpr float kDropInterval = 40.0f;  // frames between two bulb hazards
constexpr double kChaseMemory = 5.0;    // seconds a lost player is searched for
constexpr float kIconHalf = 15.0f;
constexpr float kIconLift = 25.0f;

bool Same(KEVec2 a, KEVec2 b) { return a.x == b.x && a.y == b.y; }

bool Within1(KEVec2 a, KEVec2 b) { return std::fabs(a.x - b.x) <= 1 && std::fabs(a.y - b.y) <= 1; }

double Now() { return GameStateManager.worldTime; }

// Every query answers as an empty map would when no level is running.
int WallContactsAt(KEVec2 position, KEVec2 size) {
  const TileMap* map = CurrentMap();
  return map ? map->WallContacts(position, size) : 0;
}

KEVec2 Snap(KEVec2 position, int contacts) {
  const TileMap* map = CurrentMap();
  return map ? map->SnapToCell(position, contacts) : position;
}

// The map lists a path from the target back; a monster walks it from its own end, cell by
// cell, so that it rounds corners, ends a leg on the waypoint and stops on the last planned
// cell when it loses the player.
std::list<KEVec2> PathBetween(KEVec2 from, KEVec2 to) {
  TileMap* map = CurrentMap();
  if (!map) return {};
  std::list<KEVec2> path = map->FindPath(from, to);
  path.reverse();
  return path;
}

}  // namespace

std::shared_ptr<Monster> CreateMonster(int kind) {
  std::shared_ptr<Monster> monster(new Monster(kind));
  gObjectManager.objects.push_back(monster);
  return monster;
}

Monster::Monster(int kind_)
    : GameObject({125, 125}, {0, 0}, {20, 20}, 0), kind(kind_), sight(kHalfAngle, kRange) {
  if (const KindRow* row = RowOf(kind)) {
    // The box is taken from the construction size; the first update sizes it properly.
    SetBoundsAround(row->halfExtent);
    element = row->element;
    disguiseDuration = row->disguiseDuration;
    sprite.Init(4, 0.5f, 0.5f);
    animationImage = row->animationImage;
    pictureImage = row->pictureImage;
    sprite.AddStrip(animationImage, 4, 0.2f);
    SetScale({40, 40});
    speed = row->speed;
  }
  layer = 10;
  state = Patrol;
  phase = Enter;
}

void Monster::SetPatrolRoute(int count, ...) {
  std::vector<KEVec2> points;
  va_list args;
  va_start(args, count);
  for (int i = 0; i < count; ++i) points.push_back(va_arg(args, KEVec2));
  va_end(args);
  SetPatrolRoute(points);
}

void Monster::SetPatrolRoute(const std::vector<KEVec2>& points) {
  waypoints.clear();
  waypoints.push_back(position);
  waypoints.insert(waypoints.end(), points.begin(), points.end());
  waypoints.push_back(position);
  onRoute = true;
}

bool Monster::SeesPlayer() const {
  return gCurrentPlayer && sight.Sees(position, gCurrentPlayer->position);
}

// Only a chase decision counts as recognising; the bulb's hesitation does not.
bool Monster::Recognises() const {
  if (!gCurrentPlayer || !RowOf(kind)) return false;
  return kDecisions[kind][DisguiseColumn(*gCurrentPlayer)] == kChase;
}

void Monster::FollowPath() {
  if (!path.empty()) {
    const KEVec2 next = path.front();
    if (!Same(position, next)) {
      stepStart = position;
      stepTarget = next;
      velocity = {next.x - position.x, next.y - position.y};
      rotation = std::atan2(velocity.y, velocity.x);
      // Distinct floats always differ, but their squares can underflow to a zero length.
      const float length = std::sqrt(velocity.x * velocity.x + velocity.y * velocity.y);
      velocity = length > 0 ? KEVec2{velocity.x / length, velocity.y / length} : KEVec2{0, 0};
    }
    // A step that would carry a fast monster past the node lands on it instead: a tire
    // starting off the cell centres would otherwise swing across the node for ever.
    const float left = std::hypot(next.x - position.x, next.y - position.y);
    const float step = speed * float(GameStateManager.timeScale);
    if (left <= step) {
      position = stepTarget = next;
    } else {
      position.x += velocity.x * step;
      position.y += velocity.y * step;
    }
    if (Within1(position, stepTarget)) path.pop_front();
    if (path.empty() && pausesAtWaypoints) waitUntil = pauseTime + Now();
  }
  if (const int contacts = WallContactsAt(position, scale)) position = Snap(position, contacts);
  UpdateTransform();
}

void Monster::PatrolStep() {
  if (waypoints.empty()) homePoint = position;
  // The route starts and ends on the same point, so the start always matches element 0
  // and the last element, which has no successor, never matches.
  for (size_t k = 0; k + 1 < waypoints.size(); ++k) {
    if (Same(waypoints[k], position)) {
      homePoint = position;
      path = PathBetween(waypoints[k], waypoints[k + 1]);
      // A leg ends on its waypoint itself, not on its cell's centre: a waypoint off the
      // centre is then stood on at any step length, and the patrol turns there.
      if (!path.empty()) path.back() = waypoints[k + 1];
      break;
    }
  }

  if (pausesAtWaypoints) {
    if (Now() > waitUntil) FollowPath();
  } else {
    if (path.empty()) return;
    FollowPath();
  }
  // Landing exactly on the cell centre lets the waypoint match next frame.
  if (Within1(position, stepTarget)) position = stepTarget;
  position = Snap(position, WallContactsAt(position, scale));
  UpdateTransform();
}

void Monster::ChasePlayer() {
  if (!gCurrentPlayer) return;
  path = PathBetween(position, gCurrentPlayer->position);
  if (path.empty()) return;
  FollowPath();
  if (const int contacts = WallContactsAt(position, scale)) position = Snap(position, contacts);
  UpdateTransform();
}

void Monster::ReturnToRoute() {
  if (Same(position, homePoint) || onRoute) return;
  path = PathBetween(position, homePoint);
  if (path.empty()) {
    position = homePoint;
    onRoute = true;
    // Otherwise the sprite stays drawn where the monster was until something turns it.
    UpdateTransform();
    return;
  }
  FollowPath();
  if (const int contacts = WallContactsAt(position, scale)) position = Snap(position, contacts);
  UpdateTransform();
}

// Sweeps 3 degrees a step at full speed (a slowed game sweeps that share of it) and turns
// back at 0 and at 360 degrees.
void Monster::ScanTurn() {
  float d = rotation * 57.295784f;
  float s = scanStep * float(GameStateManager.timeScale);
  if (d < -s) d = -d;
  // fmod of the truncated angle is the integer remainder without an overflowing conversion.
  if (d > s + 360) d = std::fmod(std::trunc(d), 360.0f);
  if (d >= 360 || d <= 0) {
    s = -s;
    scanStep = -scanStep;
  }
  rotation = (d + s) * 0.017453292f;
  UpdateTransform();
}

void Monster::Soak() {
  const int contacts = WallContactsAt(position, scale);
  const TileMap* map = CurrentMap();
  const int hazard = map ? map->HazardUnder(position, scale) : 0;
  position = Snap(position, contacts);
  if (hazard != kWater) {
    // A rat far from water would otherwise shrink through zero into a mirrored monster.
    // One already smaller, set so by hand, keeps its size.
    const float shrink = 0.1f * float(GameStateManager.timeScale);
    scale.x = std::max(scale.x - shrink, std::min(scale.x, kMinimumWaterRatSize));
    scale.y = std::max(scale.y - shrink, std::min(scale.y, kMinimumWaterRatSize));
    UpdateTransform();
  }
  const float grow = 0.5f * float(GameStateManager.timeScale);
  if (hazard == kWater && scale.x <= 40) SetScale({scale.x + grow, scale.y + grow});
}

void Monster::DropHazard() {
  dropTimer -= float(GameStateManager.timeScale);  // frames at full speed
  if (dropTimer > 0) return;
  std::shared_ptr<Electric> hazard = CreateElectric();
  hazard->scale = {40, 40};
  hazard->UpdateTransform();
  hazard->position = position;
  hazard->UpdateTransform();
  dropTimer = kDropInterval;
}

void Monster::RunStateMachine() {
  if (phase == Enter) {
    phase = Run;
    return;
  }
  switch (state) {
    case Patrol:
      if (phase == Leave) {
        state = Check;
        phase = Enter;
        return;
      }
      if (kind == WaterRat) Soak();
      if (kind == Bulb) DropHazard();
      PatrolStep();
      if (SeesPlayer()) phase = Leave;
      return;
    case Check:
      if (phase == Run) Decide();
      return;
    case Chase:
      if (phase == Leave) {
        state = Patrol;
        phase = Enter;
        return;
      }
      ChaseStep();
      return;
  }
}

// Decided three frames after the sighting, without looking again: the player may have
// stepped out of the cone meanwhile.
void Monster::Decide() {
  Decision decision = kPatrol;
  if (gCurrentPlayer && RowOf(kind)) decision = kDecisions[kind][DisguiseColumn(*gCurrentPlayer)];
  if (decision == kStay) return;
  alertShown = decision == kChase;
  state = decision == kChase ? Chase : Patrol;
  phase = Enter;
}

void Monster::ChaseStep() {
  if (kind == WaterRat) {
    if (scale.x >= 20) {
      Soak();
    } else {
      // Too dry to go on: back to the route, whatever it sees.
      alertShown = false;
      ReturnToRoute();
      if (Same(position, homePoint)) phase = Leave;
    }
  }
  if (kind == Bulb) DropHazard();
  // The first sighting after leaving the route chases whatever the disguise.
  if (onRoute && SeesPlayer()) {
    alertShown = true;
    scanShown = false;
    ChasePlayer();
    onRoute = false;
    chaseDeadline = float(Now()) + kChaseMemory;
  }
  if (SeesPlayer() && Recognises()) {
    alertShown = true;
    scanShown = false;
    ChasePlayer();
    chaseDeadline = Now() + kChaseMemory;
  }
  FollowPath();
  if (!path.empty()) return;
  if (chaseDeadline >= Now()) {
    alertShown = false;
    scanShown = true;
    ScanTurn();
    return;
  }
  alertShown = false;
  scanShown = false;
  // A glimpse that was gone before the chase began leaves the monster on its route, off
  // its last waypoint, with nothing to return to: it would stand there for good.
  if (onRoute) {
    // Finish the leg on its waypoint, as the patrol does, so that the route goes on.
    if (Within1(position, stepTarget)) position = stepTarget;
    UpdateTransform();
    phase = Leave;
    return;
  }
  ReturnToRoute();
  if (Same(position, homePoint)) phase = Leave;
}

void Monster::Update() {
  RunStateMachine();

  if (const KindRow* row = RowOf(kind)) {
    SetBoundsAround(row->halfExtent);
  }

  // The next frame's sightings use this cone.
  sight.Follow(position, rotation, scale.x);
}

void Monster::DrawIcon(const std::shared_ptr<Texture>& icon) {
  DrawPicture(iconMesh, icon, position.x, position.y + kIconLift);
}

void Monster::Draw() {
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetTransform(&transform);
  sprite.DrawFrame();
  sight.Draw();
  if (alertShown) DrawIcon(alertTexture);
  if (scanShown) DrawIcon(scanTexture);
}

void Monster::Initialize() {
  sight.maxLength = sight.length = (sight.range - scale.x * 0.5f) / 2.7f;
  sight.sprite.SetImage("Assets/monsterLOS.png");

  iconMesh = MakeQuad(-kIconHalf, kIconHalf, -kIconHalf, kIconHalf);
  // Looked up once: a name looked up every frame would build a string every frame.
  alertTexture = GetTexture("Assets/Alert.png");
  scanTexture = GetTexture("Assets/Scaning.png");
}
