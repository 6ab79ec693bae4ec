// The status strip along the bottom of a level: speed state, disguise seconds, photos and
// the camera's recharge.
#pragma once

#include <memory>
#include <string>

#include "ChargePictures.h"
#include "GameState.h"
#include "Sprite.h"
#include "StatusStrip.h"

// Held by each level and driven from the level's own Load, Update and Draw.
class UI : public GameState, public StatusStrip {
 public:
  static constexpr const char* kEmptyPicture = "Assets/PIC.png";
  static constexpr const char* kNormalStatus = "Assets/Status.png";

  void Load() override;
  void Initialize() override {}
  void Update() override;  // textures follow the names
  void Draw() override;    // fixed to the view
  void Free() override {}
  void Unload() override {}

  void SetStatusImage(const std::string& name) override;
  void ResetPicture(int slot) override;
  void ResetStatusImage() override;
  void SetPicture(int slot, const std::string& name) override { pictureNames[slot] = name; }

  // While the camera recharges, the slot the next photo fills shows its bar at `step`.
  struct Charge {
    int slot = -1;  // -1: the camera is ready, or every slot holds a photo
    int step = 0;   // 0 to kChargeSteps - 1
  };
  Charge ChargeShown() const;

  std::shared_ptr<Mesh<3>> statusBarMesh;
  std::shared_ptr<Texture> guiTexture;
  std::shared_ptr<Mesh<3>> digitMesh;
  std::shared_ptr<Texture> digitTextures[10];  // "1" to "9" in slots 0 to 8, "0" in slot 9
  std::shared_ptr<Mesh<3>> iconMesh;
  std::shared_ptr<Texture> pictureTextures[3];
  std::shared_ptr<Texture> chargeTextures[kChargeSteps];
  std::shared_ptr<Texture> statusTexture;
  std::string pictureNames[3];
  std::string statusName;
  float viewPosition[2] = {0, 0};
};

extern UI* gCurrentUI;

// The two digits shown for a disguise time: tens then units, leading zero kept.
void DisguiseDigits(double disguiseTime, int* tens, int* units);
