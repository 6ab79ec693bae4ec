#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "../audio/audio_test_files.h"
#include "AudioService.h"
#include "ExitArrow.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "LevelBase.h"
#include "Player.h"
#include "StateRequests.h"
#include "UIButton.h"
#include "idle_state.h"
#include "test_input.h"
#include "test_level.h"

namespace {

// A device that plays into nothing, so the music channel's mute can be read back; set
// before anything in this program opens the audio service.
const bool kDummyAudio = setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

// What the level asked for, read at the moment of the request.
struct Request {
  int count = 0;
  unsigned target = 99;
  int level = 0;
  bool musicMuted = false;
};
Request gRequest;

GameState* RecordLoadingScreen(unsigned target) {
  ++gRequest.count;
  gRequest.target = target;
  gRequest.level = GameStateManager.level;
  gRequest.musicMuted = AudioService::Get().IsMusicMuted();
  return new IdleState;
}

const std::vector<std::string> kRoom = {
    "9 9 9 9 9 9", "9 0 0 0 0 9", "9 0 0 0 0 9", "9 0 0 0 0 9", "9 9 9 9 9 9",
};

class PauseMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kDummyAudio);
    gRequest = Request();
    SetLoadingScreenFactory(RecordLoadingScreen);
    level = new TestLevel(kRoom, {-75, -25});
    test_level::Start(level);
    GameStateManager.level = 3;
    level->music = AudioService::Get().LoadMusic(audio_test::Sine("level.wav", 2.0).c_str());
    test_level::Run(1);
  }
  void TearDown() override {
    test_level::Finish();
    SetLoadingScreenFactory(nullptr);
    GameStateManager.level = -1;
  }
  bool InLevel() const { return GameStateManager.current == level; }
  void Frame(int frames = 1) { test_level::Run(frames); }
  void Tap(unsigned key) {
    test_input::Press(key);
    Frame();
    test_input::Release(key);
    Frame();
  }
  void Click(UIButton* button) {
    ASSERT_NE(button, nullptr);
    test_input::SetCursor(int((button->hitLeft + button->hitRight) / 2),
                          int((button->hitTop + button->hitBottom) / 2));
    Tap(VK_LBUTTON);
  }
  std::vector<UIButton*> Buttons() const {
    const PauseMenu& menu = level->pauseMenu;
    return {menu.resumeButton, menu.restartButton, menu.instButton,
            menu.backButton,   menu.optionsButton, menu.soundButton,
            menu.menuButton,   menu.yesButton,     menu.noButton};
  }
  std::string ActiveButtons() const {
    const char* names[] = {"resume", "restart", "inst", "back", "options",
                           "sound",  "menu",    "yes",  "no"};
    std::string active;
    const auto buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (buttons[i]->active) active += std::string(active.empty() ? "" : " ") + names[i];
    }
    return active;
  }
  bool ConfirmShown() const {
    return level->pauseMenu.screen == PauseScreen::kConfirmRestart ||
           level->pauseMenu.screen == PauseScreen::kConfirmLeave;
  }
  bool InstructionsShown() const { return level->pauseMenu.screen == PauseScreen::kInstructions; }
  bool OptionsShown() const { return level->pauseMenu.screen == PauseScreen::kOptions; }
  void ExpectPlaying() {
    EXPECT_TRUE(InLevel());
    EXPECT_FALSE(gObjectManager.paused);
    EXPECT_FALSE(ConfirmShown());
    EXPECT_FALSE(InstructionsShown());
    EXPECT_FALSE(OptionsShown());
    EXPECT_FALSE(level->pauseMenu.settings.IsOpen());
    EXPECT_EQ(ActiveButtons(), "");
    for (UIButton* button : Buttons()) EXPECT_FALSE(button->clicked);
  }
  const char* SoundImage() const {
    const Sprite& sprite = level->pauseMenu.soundButton->sprite;
    return sprite.animations[sprite.currentAnimation].texture->get()->fileName;
  }
  TestLevel* level = nullptr;
};

// Each pause screen: how it is opened, what it shows, and that Escape leaves it for play.
TEST_F(PauseMenuTest, EscapeFromEveryPauseScreenReturnsToPlay) {
  struct Screen {
    const char* name;
    std::vector<UIButton * PauseMenu::*> clicks;
    const char* active;
    bool confirm, instructions, options;
    bool settings = false;
  };
  const std::string main = "resume restart inst options menu";
  const Screen screens[] = {
      {"main", {}, "resume restart inst options menu", false, false, false},
      {"options",
       {&PauseMenu::optionsButton},
       "resume restart inst options sound menu",
       false,
       false,
       true},
      {"instructions", {&PauseMenu::instButton}, "back", false, true, false},
      {"confirm restart", {&PauseMenu::restartButton}, "yes no", true, false, false},
      {"confirm menu", {&PauseMenu::menuButton}, "yes no", true, false, false},
      {"options then restart",
       {&PauseMenu::optionsButton, &PauseMenu::restartButton},
       "yes no",
       true,
       false,
       false},
      {"instructions and back",
       {&PauseMenu::instButton, &PauseMenu::backButton},
       "resume restart inst options menu",
       false,
       false,
       false},
      // Reopened after Escape, the menu shows its column again, not the settings.
      {"settings",
       {&PauseMenu::optionsButton, &PauseMenu::gearButton},
       "",
       false,
       false,
       false,
       true},
  };
  for (const Screen& screen : screens) {
    SCOPED_TRACE(screen.name);
    Tap(VK_ESCAPE);
    ASSERT_TRUE(gObjectManager.paused);
    EXPECT_EQ(ActiveButtons(), main);
    for (auto click : screen.clicks) Click(level->pauseMenu.*click);
    EXPECT_EQ(ActiveButtons(), screen.active);
    EXPECT_EQ(ConfirmShown(), screen.confirm);
    EXPECT_EQ(InstructionsShown(), screen.instructions);
    EXPECT_EQ(OptionsShown(), screen.options);
    EXPECT_EQ(level->pauseMenu.settings.IsOpen(), screen.settings);
    Frame(30);
    EXPECT_EQ(ActiveButtons(), screen.active) << "the screen holds";

    Tap(VK_ESCAPE);
    ExpectPlaying();
    EXPECT_EQ(gRequest.count, 0);
  }
}

TEST_F(PauseMenuTest, RestartThenNoForgetsTheChoice) {
  Tap(VK_ESCAPE);
  Click(level->pauseMenu.restartButton);
  ASSERT_TRUE(ConfirmShown());
  Click(level->pauseMenu.noButton);
  EXPECT_FALSE(ConfirmShown());
  EXPECT_EQ(ActiveButtons(), "resume restart inst options menu");
  EXPECT_FALSE(level->pauseMenu.restartButton->clicked);
  EXPECT_FALSE(level->pauseMenu.menuButton->clicked);

  // The next Yes answers the menu question, not the forgotten restart.
  Click(level->pauseMenu.menuButton);
  Click(level->pauseMenu.yesButton);
  EXPECT_EQ(gRequest.count, 1);
  EXPECT_EQ(gRequest.target, 0u);
}

TEST_F(PauseMenuTest, YesLeavesThroughTheLoadingScreen) {
  struct Case {
    const char* name;
    UIButton* PauseMenu::*choice;
    unsigned target;
    int levelAfter;
  };
  const Case cases[] = {
      {"menu", &PauseMenu::menuButton, 0, -1},
      {"restart", &PauseMenu::restartButton, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!InLevel()) {
      test_level::Finish();
      SetUp();
    }
    // Muted first, so that leaving has something to undo.
    Tap(VK_ESCAPE);
    Click(level->pauseMenu.optionsButton);
    Frame();
    Click(level->pauseMenu.soundButton);
    ASSERT_TRUE(level->pauseMenu.muted);
    if (AudioService::Get().HasDevice()) {
      EXPECT_TRUE(AudioService::Get().IsMusicMuted());
    }

    Click(level->pauseMenu.*c.choice);
    Click(level->pauseMenu.yesButton);
    EXPECT_EQ(gRequest.count, 1);
    EXPECT_EQ(gRequest.target, c.target);
    EXPECT_EQ(gRequest.level, c.levelAfter);
    EXPECT_EQ(GameStateManager.level, c.levelAfter);
    EXPECT_FALSE(gRequest.musicMuted);
    EXPECT_FALSE(gObjectManager.paused);
    EXPECT_FALSE(InLevel());
  }
}

TEST_F(PauseMenuTest, RestartOutsideTheLevelNumbersClosesTheMenuAndPlaysOn) {
  GameStateManager.level = -1;
  Tap(VK_ESCAPE);
  Click(level->pauseMenu.restartButton);
  Click(level->pauseMenu.yesButton);
  EXPECT_EQ(gRequest.count, 0);
  ExpectPlaying();
  // No stale confirmation panel when the menu opens again.
  Tap(VK_ESCAPE);
  EXPECT_FALSE(ConfirmShown());
  EXPECT_EQ(ActiveButtons(), "resume restart inst options menu");

  // Left while paused: the next level starts in play.
  test_level::Finish();
  SetUp();
  ExpectPlaying();
}

// On the Game Over picture Space or the pad's A plays the level again from its start, through
// the loading screen, with the music on again though the sound switch had turned it off. In
// play Space does nothing of the kind.
TEST_F(PauseMenuTest, SpaceOrAOnTheGameOverPicturePlaysTheLevelAgain) {
  const struct {
    const char* name;
    bool dead;
    unsigned key;
  } rows[] = {{"in play, Space", false, VK_SPACE},
              {"Game Over, Space", true, VK_SPACE},
              {"Game Over, the pad's A", true, VK_GAMEPAD_A}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (&row != rows) {
      test_level::Finish();
      SetUp();
    }
    Tap(VK_ESCAPE);
    Click(level->pauseMenu.optionsButton);
    Frame();
    Click(level->pauseMenu.soundButton);
    ASSERT_TRUE(level->pauseMenu.muted);
    Tap(VK_ESCAPE);
    level->player->lives = row.dead ? 0 : 1;
    Frame();
    ASSERT_EQ(level->player->inPlay, !row.dead);

    Tap(row.key);
    EXPECT_EQ(gRequest.count, row.dead ? 1 : 0);
    if (!row.dead) continue;
    EXPECT_EQ(gRequest.target, 3u);
    EXPECT_FALSE(gRequest.musicMuted);
    EXPECT_FALSE(InLevel());
  }
}

TEST_F(PauseMenuTest, SoundSwitchTogglesMuteAndItsPicture) {
  Tap(VK_ESCAPE);
  Click(level->pauseMenu.optionsButton);
  Frame();
  const bool device = AudioService::Get().HasDevice();
  if (device) {
    EXPECT_TRUE(AudioService::Get().IsMusicPlaying());
  }
  struct Step {
    bool muted;
    const char* picture;
  };
  const Step steps[] = {{true, "Assets/soundOFF.png"}, {false, "Assets/soundOn.png"}};
  for (const Step& step : steps) {
    Click(level->pauseMenu.soundButton);
    EXPECT_EQ(level->pauseMenu.muted, step.muted);
    EXPECT_STREQ(SoundImage(), step.picture);
    EXPECT_FALSE(level->pauseMenu.soundButton->clicked);
    if (device) {
      EXPECT_EQ(AudioService::Get().IsMusicMuted(), step.muted);
    }
  }

  // A latch left on the switch once its row has closed must not flip the mute each frame.
  Click(level->pauseMenu.optionsButton);
  level->pauseMenu.soundButton->clicked = true;
  Frame(3);
  EXPECT_FALSE(level->pauseMenu.muted);
  EXPECT_FALSE(level->pauseMenu.soundButton->clicked);
  if (device) {
    EXPECT_FALSE(AudioService::Get().IsMusicMuted());
  }
}

// Switching to another window pauses a live player, as Escape would; a dead one waits for
// Space on the game-over picture instead.
TEST_F(PauseMenuTest, LosingTheFocusOpensThePauseMenu) {
  const char* const main = "resume restart inst options menu";
  gKESysAppActive = 0;
  Frame();
  EXPECT_TRUE(gObjectManager.paused);
  EXPECT_EQ(ActiveButtons(), main);
  Click(level->pauseMenu.menuButton);
  EXPECT_EQ(ActiveButtons(), "yes no") << "an open pause screen stays as it is";
  gKESysAppActive = 1;
  Tap(VK_ESCAPE);
  ExpectPlaying();

  level->player->lives = 0;
  Frame();
  gKESysAppActive = 0;
  Frame(3);
  gKESysAppActive = 1;
  EXPECT_FALSE(gObjectManager.paused);
}

// The pause menu, its options row open, leaves the player in sight: at the view's centre and
// where the camera stops near the map's left or right end, alive or on the Game Over picture.
TEST(PauseMenuPlaceTest, TheMenuLeavesThePlayerInSight) {
  std::vector<std::string> rows(12, "9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 9");
  rows.front() = rows.back() = "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9";
  const struct {
    float x;  // the centre, near the left end, near the right end
    bool dead;
  } cases[] = {{25, false}, {-425, false}, {375, false}, {-425, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "player at " << c.x << (c.dead ? ", dead" : ""));
    auto* level = new TestLevel(rows, {c.x, 25});
    test_level::Start(level);
    level->player->lives = c.dead ? 0 : 1;
    test_level::Run(1);
    gObjectManager.paused = true;
    level->pauseMenu.screen = PauseScreen::kOptions;
    test_level::Run(1);
    ASSERT_TRUE(level->pauseMenu.gearButton->active);
    const KEVec2 view = level->camera->view, at = level->player->position;
    const float left = 400 + at.x - view.x - 20, top = 300 - (at.y - view.y) - 20;
    for (const GameObjectPtr& object : gUIObjects) {
      const auto* b = dynamic_cast<const UIButton*>(object.get());
      if (!b || !b->active) continue;
      EXPECT_TRUE(b->hitRight <= left || left + 40 <= b->hitLeft || b->hitBottom <= top ||
                  top + 40 <= b->hitTop)
          << "a button at " << b->hitLeft << "," << b->hitTop;
    }
    test_level::Finish();
  }
}

TEST(LevelCameraTest, StaysOverTheMapAndOnItsBounds) {
  // 20 by 20 cells of 50: Extent 525, so x in -100..100 and y in -275..200.
  TileMapGrid grid;
  grid.width = grid.height = 20;
  grid.tileSize = 50;
  grid.cells.assign(400, 0);
  TileMap big;
  ASSERT_TRUE(big.LoadGrid(grid));
  grid.width = grid.height = 4;
  grid.cells.assign(16, 0);
  TileMap small;
  ASSERT_TRUE(small.LoadGrid(grid));
  const TileMap empty;
  const float nan = std::numeric_limits<float>::quiet_NaN();

  struct Case {
    const char* name;
    const TileMap* map;
    KEVec2 player;
    KEVec2 camera;
  };
  const Case cases[] = {
      {"centre", &big, {0, 0}, {0, 0}},
      {"inside", &big, {99.5f, -274.5f}, {99.5f, -274.5f}},
      {"bottom left corner", &big, {-475, -475}, {-100, -275}},
      {"top right corner", &big, {475, 475}, {100, 200}},
      {"exactly on the right and top bounds", &big, {100, 200}, {100, 200}},
      {"exactly on the left and bottom bounds", &big, {-100, -275}, {-100, -275}},
      {"far outside", &big, {10000, -10000}, {100, -275}},
      // A map smaller than the view keeps the view centred on the map's range.
      {"small map", &small, {-75, 75}, {0, -37.5f}},
      {"small map, other side", &small, {75, -75}, {0, -37.5f}},
      {"empty map", &empty, {30, 40}, {0, -37.5f}},
      {"not a number", &big, {nan, nan}, {-100, -275}},
  };
  for (const Case& c : cases) {
    KEVec2 target = c.player;
    LevelCamera camera(&target);
    camera.Follow(*c.map, true);
    float x, y;
    KEGfxGetCamPosition(&x, &y);
    EXPECT_FLOAT_EQ(x, c.camera.x) << c.name;
    EXPECT_FLOAT_EQ(y, c.camera.y) << c.name;
    EXPECT_FLOAT_EQ(camera.view.x, c.camera.x) << c.name;
    EXPECT_FLOAT_EQ(camera.view.y, c.camera.y) << c.name;
  }
}

TEST(LevelCameraTest, OutOfPlayTheCameraAndTheMenuGoToThePlayer) {
  TileMap none;
  KEVec2 target = {0, 0};
  LevelCamera camera(&target);
  camera.Follow(none, true);
  const KEVec2 limit = camera.limit;
  target = {10000, 10000};
  camera.Follow(none, false);
  float x, y;
  KEGfxGetCamPosition(&x, &y);
  EXPECT_FLOAT_EQ(x, 10000);
  EXPECT_FLOAT_EQ(y, 10000);
  EXPECT_FLOAT_EQ(camera.view.x, 10000);
  EXPECT_FLOAT_EQ(camera.limit.x, limit.x);

  LevelCamera unattached(nullptr);
  unattached.Follow(none, true);
  KEGfxSetCamPosition(0, 0);
}

// A level made directly starts in play; held Tab shows the overview and the world waits.
TEST_F(PauseMenuTest, TabShowsTheOverviewWhileTheWorldWaits) {
  EXPECT_FALSE(level->overviewShown);
  const float startX = level->player->position.x;
  test_input::Press(VK_TAB);
  test_input::Press('D');
  Frame(20);
  EXPECT_TRUE(level->overviewShown);
  EXPECT_EQ(level->player->position.x, startX);
  test_input::Release(VK_TAB);
  Frame(5);
  test_input::Release('D');
  EXPECT_FALSE(level->overviewShown);
  EXPECT_GT(level->player->position.x, startX);
}

// The part of the view above the strip is 0 to 800 across and 0 to 520 up.
TEST(ExitArrowTest, PointsFromTheViewTowardsAnExitOffScreen) {
  const struct {
    const char* where;
    KEVec2 exit;
    bool shown;
    float degrees;
    KEVec2 at;
  } rows[] = {
      {"in view", {700, 100}, false, 0, {0, 0}},
      {"on the view's edge", {800, 520}, false, 0, {0, 0}},
      {"left", {-300, 260}, true, 180, {34, 260}},
      {"right", {1500, 260}, true, 0, {766, 260}},
      {"above", {400, 900}, true, 90, {400, 486}},
      {"below", {400, -400}, true, -90, {400, 34}},
      {"above right", {1200, 1060}, true, 45, {626, 486}},
      {"below left", {-400, -540}, true, -135, {174, 34}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    const ExitArrowPlace place = PlaceExitArrow(row.exit, 0, 0, 800, 520, 34);
    EXPECT_EQ(place.shown, row.shown);
    if (!row.shown) continue;
    EXPECT_NEAR(place.angle * 180 / M_PI, row.degrees, 0.01);
    EXPECT_NEAR(place.at.x, row.at.x, 0.01);
    EXPECT_NEAR(place.at.y, row.at.y, 0.01);
  }
}

TEST(LevelBaseTest, CameraFollowsThePlayerOnARealMap) {
  std::vector<std::string> rows(20, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
  auto* level = new TestLevel(rows, {475, 475});
  test_level::Start(level);
  test_level::Run(1);
  float x, y;
  KEGfxGetCamPosition(&x, &y);
  EXPECT_FLOAT_EQ(x, 100);
  EXPECT_FLOAT_EQ(y, 200);
  EXPECT_EQ(CurrentLevel(), level);
  EXPECT_EQ(CurrentMap(), &level->map);
  EXPECT_EQ(gCurrentUI, &level->hud);
  test_level::Finish();
  EXPECT_EQ(gCurrentUI, nullptr);
  EXPECT_EQ(gCurrentPlayer, nullptr);
  EXPECT_EQ(CurrentLevel(), nullptr);
  EXPECT_TRUE(gUIObjects.empty());
}

}  // namespace
