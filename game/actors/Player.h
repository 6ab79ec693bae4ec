// The player: walks, faces the cursor, photographs monsters and disguises as them.
#pragma once

#include <string>
#include <vector>

#include "AudioService.h"
#include "DeathLines.h"
#include "DevicePrompt.h"
#include "GameObject.h"
#include "PhotoRefusals.h"
#include "StatusStrip.h"
#include "VisionCone.h"

// One photo slot; kind 5 marks an empty one.
struct Photo {
  static constexpr int kEmpty = 5;
  int kind = kEmpty;
  int element = 4;
  KEVec2 size = {0, 0};
  float duration = 0;
  float speed = 1.0f;
  std::string animationImage;
  std::string pictureImage;
};

// What the player asks of the running state, a level, when it plays again after a death.
class RestartableState {
 public:
  virtual ~RestartableState() = default;
  virtual void Restart() = 0;
};

class Player : public GameObject {
 public:
  static constexpr float kHalfAngle = 0.20943952f;  // 12 degrees
  static constexpr float kRange = 150.0f;

  Player();
  void Update() override;
  void Draw() override;
  void Free() override;
  void Initialize() override;
  void OnCollision(std::shared_ptr<GameObject> other) override;
  // The line over the player saying why the last click took no photo: its index in
  // kRefusalLines, or -1 when none shows.
  int RefusalShown() const;
  // How far the camera has recharged since the last photo, 0 to 1; 1 when it can take one.
  float CameraCharge() const;

  float speed = 1.5f;
  double disguiseTime = -1.0;
  Photo photos[3];
  Photo* activeDisguise = nullptr;
  bool moving = false;
  bool disguised = false;
  bool inPlay = true;
  bool reachedExit = false;
  KEVec2 exitPoint = {0, 0};  // where it stood on reaching the exit, before leaving the map
  bool ghost = false;
  float flashCooldown = 0;
  PhotoRefusal refusal = PhotoRefusal::kNone;
  int refusalFrames = 0;  // frames the refusal's line has left to show
  std::shared_ptr<Mesh<3>> refusalMesh;
  std::shared_ptr<Texture> refusalTextures[kRefusalLineCount];
  std::shared_ptr<Mesh<3>> gameOverMesh;
  std::shared_ptr<Texture> gameOverTexture;
  DeathCause deathCause;  // the first thing that killed the player in this try
  std::shared_ptr<Mesh<3>> deathLineMesh;
  std::shared_ptr<Texture> deathLineTexture;
  DevicePicture tryAgain;  // under the line: the key or button that plays again
  std::vector<std::string> photosTaken;  // each photo's picture, in the order taken
  std::shared_ptr<Mesh<3>> flashMesh;
  std::shared_ptr<Texture> flashTexture;
  VisionCone sight;
  int lives = 1;
  StatusStrip* strip = nullptr;  // where the look's pace and the photos show, or none
  std::vector<std::shared_ptr<GameObject>> monsters;
  KEVec2 flashPosition = {0, 0};
  bool flashing = false;
  int flashFrame = 0;
};

extern Player* gCurrentPlayer;
extern EffectHandle cameraSound;

// The player at the end of the world list, to be placed.
std::shared_ptr<Player> CreatePlayer();
