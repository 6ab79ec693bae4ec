// The guards: five kinds that patrol, see, recognise or ignore disguises, chase, scan.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "GameObject.h"
#include "VisionCone.h"

enum MonsterKind { FireRat = 0, WaterRat = 1, Tire = 2, Bulb = 3, Fireball = 4 };
enum MonsterState { Patrol = 0, Chase = 1, Check = 2 };
enum MonsterPhase { Enter = 0, Run = 1, Leave = 2 };

class Monster : public GameObject {
 public:
  static constexpr float kHalfAngle = 0.20943952f;  // 12 degrees
  static constexpr float kRange = 120.0f;
  static constexpr float kMinimumWaterRatSize =
      15.0f;  // a dried-out rat stops shrinking here, still a rat

  explicit Monster(int kind);
  void Update() override;
  void Draw() override;
  void Free() override {}
  void Initialize() override;

  // Closed route: the current position, the points, the current position again.
  void SetPatrolRoute(int count, ...);
  void SetPatrolRoute(const std::vector<KEVec2>& points);

  // Building blocks of the state machine, public so that tests can drive them.
  bool SeesPlayer() const;
  bool Recognises() const;
  void FollowPath();
  void PatrolStep();
  void ChasePlayer();
  void ReturnToRoute();
  void ScanTurn();
  void Soak();
  void DropHazard();

  float speed = 0;
  std::string pictureImage;
  std::string animationImage;
  int kind;
  int element = 0;
  float disguiseDuration = 0;
  KEVec2 stepTarget = {0, 0};
  bool alertShown = false;
  bool scanShown = false;
  VisionCone sight;
  std::list<KEVec2> path;
  double waitUntil = 0;
  double pauseTime = 0;
  KEVec2 homePoint = {0, 0};
  KEVec2 stepStart = {0, 0};
  float chaseDeadline = 0;
  float scanStep = 3.0f;
  bool pausesAtWaypoints = false;
  bool onRoute = true;
  std::vector<KEVec2> waypoints;
  std::shared_ptr<Mesh<3>> iconMesh;
  std::shared_ptr<Texture> alertTexture;
  std::shared_ptr<Texture> scanTexture;
  MonsterState state = Patrol;
  MonsterPhase phase = Enter;
  float dropTimer = 40.0f;

 private:
  void RunStateMachine();
  void Decide();     // Check: chase, go back to patrol, or wait
  void ChaseStep();  // one frame of Chase/Run
  void DrawIcon(const std::shared_ptr<Texture>& icon);
};

// A monster of `kind` at the end of the world list, to be placed.
std::shared_ptr<Monster> CreateMonster(int kind);
