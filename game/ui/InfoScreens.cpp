#include "InfoScreens.h"

#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "LevelSelect.h"
#include "MainMenu.h"
#include "ObjectManager.h"
#include "Progress.h"

PictureWithBackScreen::PictureWithBackScreen(const char* picture, const ButtonSpec& back)
    : pictureFile_(picture), backLayout_(back) {}

void PictureWithBackScreen::Load() {
  KEGfxSetCamPosition(0, 0);
  picture.Init(1, 400, 300);
  picture.AddImage(pictureFile_);
  back = CreateButton(backLayout_);
}

void PictureWithBackScreen::Initialize() {
  SortByLayer(gUIObjects);
  back->active = true;
}

void PictureWithBackScreen::Update() {
  UpdateUIObjects();
  if (!back->clicked) return;
  back->clicked = false;
  GameStateManager.level = -1;
  RequestState(new MainMenu);
}

void PictureWithBackScreen::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  picture.DrawFrame();
  DrawUIObjects();
}

void PictureWithBackScreen::Free() {
  FreeUIObjects();
  back = nullptr;
}

CreditsScreen::CreditsScreen()
    : PictureWithBackScreen("Assets/creditscreen.png",
                            {"BACK", 150, 100, 300, -250, 642, 572, 758, 524}) {}

InstructionScreen::InstructionScreen()
    : PictureWithBackScreen("Assets/Instruction.png",
                            {"BACK", 150, 80, 11, -275, 353, 591, 468, 554}) {}

void ResultScreen::Load() {
  // Centred in the view: the finished level leaves the camera wherever its exit is, which
  // on a large map is far from the picture.
  KEGfxSetCamPosition(0, 0);
  picture.Init(1, 400, 400);
  picture.AddImage("Assets/Win.png");
  // Only a win leads here, and the level number still names the level just won.
  saved = RecordWonLevel(GameStateManager.level);
  if (!saved) {
    notSaved.Init(1, 280, 22);
    notSaved.AddImage("Assets/UI/NotSaved.png");
  }
}

void ResultScreen::Update() {
  if (KEInputCheckTriggered(VK_SPACE)) RequestState(new LevelSelect);
}

void ResultScreen::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  picture.DrawFrame();
  if (saved) return;
  // Under the line that says how to go on, clear of the photos.
  BeginSpriteDraw(1.0f, 0, -268);
  notSaved.DrawFrame();
}
