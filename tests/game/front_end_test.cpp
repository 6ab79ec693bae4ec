// The screen flow through the real states, frame by frame, with scripted keys and clicks.
// Runs with data/ as working directory, so that pictures and music are the game's own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "AudioService.h"
#include "DeathLines.h"
#include "FrontEnd.h"
#include "GameStateLoop.h"
#include "InfoScreens.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "LevelBase.h"
#include "LevelFile.h"
#include "LevelRoster.h"
#include "LevelSelect.h"
#include "LoadingScreen.h"
#include "MainMenu.h"
#include "MapColours.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "OverviewLegend.h"
#include "Player.h"
#include "Progress.h"
#include "RunFile.h"
#include "RunWatching.h"
#include "SettingsInEffect.h"
#include "SettingsScreen.h"
#include "StartScreen.h"
#include "StateRequests.h"
#include "StatusDisplay.h"
#include "Tile.h"
#include "UIButton.h"
#include "YourLevels.h"
#include "gl_environment.h"
#include "platform/KEPlatform.h"
#include "test_input.h"
#include "test_level.h"
#include "virtual_pad.h"

namespace {

const bool kDummyAudio = setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

const char kMenuMusic[] = "Assets/opening.wav";
const char kSelectMusic[] = "Assets/Eeriewind.wav";

// Every level is a corridor with the exit two cells east of the player.
std::vector<int> gLevelsMade;
GameState* MakeCorridor(int number) {
  gLevelsMade.push_back(number);
  return new TestLevel({"9 9 9 9 9", "9 0 0 5 9", "9 9 9 9 9"}, {-50, 0});
}

// The brightest channel and the summed channels over a box of the 800 x 600 view, from its
// bottom left, in the picture last shown.
std::pair<int, long> LightIn(int left, int bottom, int width, int height) {
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  int brightest = 0;
  long sum = 0;
  for (int y = bottom * h / 600; y < (bottom + height) * h / 600; ++y)
    for (int x = left * w / 800; x < (left + width) * w / 800; ++x)
      for (int i = 0; i < 3; ++i) {
        const int v = pixels[(size_t(y) * w + x) * 4 + i];
        brightest = std::max(brightest, v);
        sum += v;
      }
  return {brightest, sum};
}

class FrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kDummyAudio);
    char folder[] = "/tmp/vantrel_front_end_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    dataHome = folder;
    setenv("XDG_DATA_HOME", folder, 1);
    setenv("XDG_CONFIG_HOME", folder, 1);
    gLevelsMade.clear();
    ConnectFrontEnd();
    SetLevelMaker(MakeCorridor);
    test_input::Install();
  }
  void TearDown() override {
    Leave();
    test_input::Uninstall();
    SetLevelMaker(nullptr);
    SetLoadingScreenFactory(nullptr);
    SetResultScreenFactory(nullptr);
    std::filesystem::remove_all(dataHome);
  }

  // Leaves whatever runs, then runs `first`.
  void Begin(GameState* first) {
    Leave();
    GameStateLoopBegin(first);
  }
  void Leave() {
    if (!GameStateManager.current) return;
    RequestState(nullptr);
    GameStateLoopStep();
  }
  template <typename State>
  State* Now() const {
    return dynamic_cast<State*>(GameStateManager.current);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) GameStateLoopStep();
  }
  void Tap(unsigned key) {
    test_input::Press(key);
    Frames(1);
    test_input::Release(key);
    Frames(1);
  }
  void ClickAt(int x, int y) {
    test_input::SetCursor(x, y);
    Tap(VK_LBUTTON);
  }
  void Click(const UIButton* button) {
    ASSERT_NE(button, nullptr);
    ClickAt(int(button->hitLeft + button->hitRight) / 2,
            int(button->hitTop + button->hitBottom) / 2);
  }
  // Frames until the running state changes; returns how many ran.
  int UntilLeft(int most = 400) {
    GameState* state = GameStateManager.current;
    int frames = 0;
    while (GameStateManager.current == state && frames < most && GameStateLoopStep()) ++frames;
    return frames;
  }
  // Past the menus' half second of ignored clicks.
  void PastTheDelay() { Frames(31); }
  // The default settings in effect, in the window mode the tests run in.
  Settings StartFromDefaults() {
    Settings defaults;
    defaults.fullScreen = KESysIsFullScreen();
    StartWithSettings(defaults, defaults);
    return defaults;
  }
  std::string Music() const { return AudioService::Get().PlayingMusicFile(); }

  std::string dataHome;
};

TEST_F(FrontEndTest, StartScreenGoesToTheMainMenuOnASkipKeyOrAfterFourSeconds) {
  struct Case {
    unsigned key;  // 0: none, wait
    bool heldAtStart;
    bool skips;
  };
  const Case cases[] = {
      {VK_ESCAPE, false, true},  {VK_SPACE, false, true},   {VK_RETURN, false, true},
      {VK_LBUTTON, false, true}, {VK_RBUTTON, false, true}, {VK_SPACE, true, true},
      {'W', false, false},       {0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "key " << c.key << (c.heldAtStart ? " held" : ""));
    if (c.heldAtStart) test_input::Press(c.key);
    Begin(new StartScreen);
    const int before = c.heldAtStart ? 0 : 10;
    Frames(before);
    if (c.key) test_input::Press(c.key);
    if (c.skips) {
      EXPECT_EQ(UntilLeft(), 1);
    } else {
      // The first frame counts nothing, its picture not yet up; frames of 1/60 s then add
      // up to a rounding error short of 4 s on the 241st.
      EXPECT_EQ(before + UntilLeft(), 242);
    }
    test_input::ReleaseAll();
    EXPECT_NE(Now<MainMenu>(), nullptr);
    Frames(1);
    EXPECT_EQ(Music(), kMenuMusic);
  }
}

// The studio's gold line over the title, in the top tenth of the view, from the first frame.
TEST_F(FrontEndTest, StartScreenShowsTheStudioWithTheTitleFadingFromThreeSeconds) {
  auto* start = new StartScreen;
  Begin(start);
  Frames(1);
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  int gold = 0;
  for (int y = h * 9 / 10; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &pixels[(size_t(y) * w + x) * 4];
      gold += p[0] > 150 && p[2] + 60 < p[0];
    }
  EXPECT_GT(gold, 100);
  Frames(179);
  EXPECT_FLOAT_EQ(start->splashOpacity, 1.0f);
  Frames(30);
  EXPECT_NEAR(start->splashOpacity, 0.5f, 0.02f);
  EXPECT_EQ(Music(), "");
}

// Every button shown is pressed by a click just inside each corner of the plate its picture
// draws, and not by one on or just outside each edge. The plate is read from the picture's
// pixels: its wholly opaque area less a one-pixel outline (shadow and margin are translucent).
void ExpectButtonsAnswerOverTheirPlates(const char* where) {
  std::vector<std::pair<UIButton*, bool>> latches;  // kept: some say which screen is open
  for (const GameObjectPtr& object : gUIObjects)
    if (auto* b = dynamic_cast<UIButton*>(object.get())) latches.push_back({b, b->clicked});
  for (auto [button, latched] : latches) {
    if (!button->active) continue;
    const char* file = button->sprite.animations[0].texture->get()->fileName;
    SCOPED_TRACE(::testing::Message() << where << ": " << file);
    KEPlatformImage p{};
    ASSERT_EQ(KEPlatformImageLoad(file, &p), 1);
    float l = p.width, t = p.height, r = 0, b = 0;
    for (int i = 0; i < p.width * p.height; ++i)
      if (p.pixels[i * 4 + 3] == 255) {
        l = std::min(l, i % p.width + 1.0f), r = std::max(r, float(i % p.width));
        t = std::min(t, i / p.width + 1.0f), b = std::max(b, float(i / p.width));
      }
    // Where it is drawn in the view, to the pixel on or just outside each edge.
    float camX, camY;
    KEGfxGetCamPosition(&camX, &camY);
    const float sx = button->scale.x / p.width, sy = button->scale.y / p.height;
    const float x0 = 400 + button->transform.m[0][2] - camX - button->scale.x / 2;
    const float y0 = 300 - (button->transform.m[1][2] - camY) - button->scale.y / 2;
    KEPlatformImageFree(&p);
    const int L = int(std::floor(x0 + l * sx)), T = int(std::floor(y0 + t * sy));
    const int R = int(std::ceil(x0 + r * sx)), B = int(std::ceil(y0 + b * sy));
    const int probes[][3] = {{L + 1, T + 1, 1},     {R - 1, T + 1, 1},     {L + 1, B - 1, 1},
                             {R - 1, B - 1, 1},     {L, (T + B) / 2, 0},   {R, (T + B) / 2, 0},
                             {(L + R) / 2, T, 0},   {(L + R) / 2, B, 0}};  // x, y, inside
    for (const auto& [x, y, inside] : probes) {
      test_input::SetCursor(x, y);
      for (bool down : {true, false}) {  // only the buttons run: a press leads nowhere
        (down ? test_input::Press : test_input::Release)(VK_LBUTTON);
        KEInputUpdate();
        UpdateUIObjects();
        if (down) { EXPECT_EQ(button->pressedNow, inside == 1) << "at " << x << "," << y; }
      }
      for (auto [each, was] : latches) each->clicked = was;
    }
  }
}

TEST_F(FrontEndTest, MainMenuClicksAndTheQuitConfirmation) {
  auto* menu = new MainMenu;
  Begin(menu);
  // A click on the last frame of the first half second is thrown away for good.
  Frames(29);
  ClickAt(400, 343);
  ASSERT_EQ(Now<MainMenu>(), menu);
  EXPECT_EQ(Music(), kMenuMusic);
  ExpectButtonsAnswerOverTheirPlates("main menu");

  Click(menu->quit);
  EXPECT_TRUE(menu->confirmVisible);
  ExpectButtonsAnswerOverTheirPlates("quit confirmation");
  ClickAt(400, 343);
  ASSERT_EQ(Now<MainMenu>(), menu) << "play is covered by the confirmation";
  EXPECT_FALSE(menu->play->hovered);
  Click(menu->no);
  EXPECT_FALSE(menu->confirmVisible);
  EXPECT_TRUE(menu->play->active);
  Click(menu->quit);
  EXPECT_TRUE(menu->confirmVisible);
  test_input::SetCursor(288, 347);
  test_input::Press(VK_LBUTTON);
  EXPECT_FALSE(GameStateLoopStep()) << "yes ends the loop";
  EXPECT_EQ(GameStateManager.current, nullptr);
}

TEST_F(FrontEndTest, EveryLevelFromTheLevelSelectAndBackThroughThePauseMenu) {
  auto* menu = new MainMenu;
  Begin(menu);
  unsigned lastMenuMusic = menu->music.id;
  for (int n = 1; n <= 8; ++n) {
    SCOPED_TRACE(::testing::Message() << "level " << n);
    PastTheDelay();
    ClickAt(400, 343);
    auto* select = Now<LevelSelect>();
    ASSERT_NE(select, nullptr);
    Frames(1);
    EXPECT_EQ(Music(), kSelectMusic);
    PastTheDelay();
    if (n == 1) ExpectButtonsAnswerOverTheirPlates("level select");
    Click(select->buttons[n - 1]);
    auto* loading = Now<LoadingScreen>();
    ASSERT_NE(loading, nullptr);
    EXPECT_EQ(loading->target, unsigned(n));
    EXPECT_EQ(GameStateManager.level, n);
    EXPECT_EQ(Music(), "");
    // Its first frame ran as the click was let go and counts nothing; frame 61 is the
    // first past 1 s.
    EXPECT_EQ(1 + UntilLeft(), 61);
    ASSERT_NE(Now<TestLevel>(), nullptr);
    EXPECT_EQ(gLevelsMade.back(), n);

    Tap(VK_ESCAPE);
    Click(Now<TestLevel>()->pauseMenu.menuButton);
    ExpectButtonsAnswerOverTheirPlates("leave confirmation");
    Click(Now<TestLevel>()->pauseMenu.yesButton);
    ASSERT_NE(Now<LoadingScreen>(), nullptr);
    EXPECT_EQ(Now<LoadingScreen>()->target, 0u);
    EXPECT_EQ(GameStateManager.level, -1);
    UntilLeft();
    menu = Now<MainMenu>();
    ASSERT_NE(menu, nullptr);
    Frames(1);
    EXPECT_EQ(Music(), kMenuMusic);
    EXPECT_NE(menu->music.id, lastMenuMusic) << "a new menu plays its music from the start";
    lastMenuMusic = menu->music.id;
  }

  // Back from the level select: the main menu through a loading screen, level 0 there.
  PastTheDelay();
  ClickAt(400, 343);
  PastTheDelay();
  Click(Now<LevelSelect>()->buttons[8]);
  ASSERT_NE(Now<LoadingScreen>(), nullptr);
  EXPECT_EQ(Now<LoadingScreen>()->target, 0u);
  UntilLeft();
  EXPECT_NE(Now<MainMenu>(), nullptr);
  EXPECT_EQ(GameStateManager.level, 0);
}

TEST_F(FrontEndTest, RestartThenAWinLeadToTheResultScreenAndABadge) {
  Begin(new LevelSelect);
  PastTheDelay();
  Click(Now<LevelSelect>()->buttons[2]);
  UntilLeft();
  TestLevel* first = Now<TestLevel>();
  ASSERT_NE(first, nullptr);

  Tap(VK_SPACE);  // past the overview
  // The loading picture's last line shows below where the panel will be.
  const long inPlay = LightIn(220, 114, 360, 18).second;
  Tap(VK_ESCAPE);
  Click(first->pauseMenu.restartButton);
  // The question's white letters are drawn over the pause screen, which dims the level, in
  // the middle of the view wherever the menu's column stands.
  EXPECT_GE(LightIn(260, 348, 140, 24).first, 240);
  EXPECT_GE(LightIn(400, 348, 140, 24).first, 240);
  EXPECT_LT(LightIn(220, 114, 360, 18).second, inPlay * 3 / 4);
  Click(first->pauseMenu.yesButton);
  ASSERT_NE(Now<LoadingScreen>(), nullptr);
  EXPECT_EQ(Now<LoadingScreen>()->target, 3u);
  UntilLeft();
  ASSERT_NE(Now<TestLevel>(), nullptr);
  EXPECT_EQ(gLevelsMade, (std::vector<int>{3, 3}));
  EXPECT_EQ(GameStateManager.level, 3);

  test_input::Press('D');
  UntilLeft(120);
  test_input::Release('D');
  auto* result = Now<ResultScreen>();
  ASSERT_NE(result, nullptr) << "the exit was not reached";
  EXPECT_EQ(LoadWonLevels(), 1u << 3);
  EXPECT_TRUE(result->Facts().saved);
  for (unsigned key : {unsigned(VK_LBUTTON), unsigned(VK_ESCAPE), unsigned('D')}) Tap(key);
  EXPECT_EQ(Now<ResultScreen>(), result) << "only Space, Enter or the pad's A leave";
  Tap(VK_RETURN);
  auto* select = Now<LevelSelect>();
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(select->wonLevels, 1u << 3);
  EXPECT_EQ(GameStateManager.level, 3);
}

// The time counts play only, not the pause menu; a better run replaces the best time, a
// worse or equal one leaves it, and the level select shows the best beside the badge.
TEST_F(FrontEndTest, TheResultScreenTellsTheTimeAndTheBest) {
  const auto win = [this](int standFrames, int pausedFrames) {
    Begin(MakeCorridor(3));
    GameStateManager.level = 3;
    Frames(standFrames);
    if (pausedFrames > 0) {
      Tap(VK_ESCAPE);
      Frames(pausedFrames);
      Tap(VK_ESCAPE);
    }
    test_input::Press('D');
    UntilLeft(120);
    test_input::Release('D');
    return Now<ResultScreen>();
  };
  struct Run {
    const char* name;
    int standFrames, pausedFrames;
    bool newBest;
  } runs[] = {
      {"first", 60, 0, true},
      {"slower, with a long pause", 90, 300, false},
      {"faster", 0, 0, true},
      {"as fast as the best, to the tenth", 0, 0, false},
  };
  double best = 0, first = 0;
  for (const Run& run : runs) {
    SCOPED_TRACE(run.name);
    const ResultScreen* result = win(run.standFrames, run.pausedFrames);
    ASSERT_NE(result, nullptr) << "the exit was not reached";
    if (first == 0) first = result->Facts().seconds;
    // Frames of 1/60 s, less the half second stood in the first run.
    EXPECT_NEAR(result->Facts().seconds - first, (run.standFrames - 60) / 60.0, 0.05);
    EXPECT_EQ(result->Facts().newBest, run.newBest);
    if (run.newBest) best = result->Facts().seconds;
    EXPECT_EQ(TimeInTenths(result->Facts().best), TimeInTenths(best));
    EXPECT_TRUE(result->photos.empty()) << "no photo was taken";
  }
  Tap(VK_SPACE);
  ASSERT_NE(Now<LevelSelect>(), nullptr);
  EXPECT_EQ(TimeInTenths(Now<LevelSelect>()->best.seconds[3]), TimeInTenths(best));
}

// Each way to die is named on the Game Over screen by a picture of its own; a touch by a
// monster that was not chasing says that a touch kills, and "even in disguise" only when the
// player wore a look. Behind that screen the strip shows no look counting down, no pace of
// the try that ended, and a look cannot be put on.
TEST_F(FrontEndTest, TheGameOverScreenSaysWhatKilled) {
  constexpr float kEast = 0, kWest = 3.14159265f;
  const char* const kFloor = "9 0 0 0 0 0 0 0 9";
  struct Case {
    const char* name;
    const char* corridor;  // the player starts in its second cell
    int kind;              // a monster of this kind in cell `at`, or -1
    int at;
    float facing;
    bool walks;   // east, else the player stands
    int look;     // the kind whose look the player wears, or -1
    bool sparks;  // a bulb's trail in the fourth cell
    DeathCause cause;
  } cases[] = {
      {"lava", "9 0 0 4 4 0 0 0 9", -1, 0, kEast, true, -1, false, {DeathCause::kLava, 0}},
      {"sparks", kFloor, -1, 0, kEast, true, -1, true, {DeathCause::kSparks, 0}},
      {"a fireball that saw", kFloor, Fireball, 3, kWest, false, -1, false,
       {DeathCause::kCaught, Fireball}},
      {"a fire rat from behind", kFloor, FireRat, 4, kEast, true, -1, false,
       {DeathCause::kTouched, FireRat}},
      {"a water rat from behind, in water", "9 0 6 6 6 6 0 0 9", WaterRat, 5, kEast, true, -1,
       false, {DeathCause::kTouched, WaterRat}},
      {"a fireball fooled by the look", kFloor, Fireball, 4, kWest, true, Fireball, false,
       {DeathCause::kTouchedInDisguise, Fireball}},
      {"a tire fooled by the look", kFloor, Tire, 4, kWest, true, Tire, false,
       {DeathCause::kTouchedInDisguise, Tire}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* level = new TestLevel({"9 9 9 9 9 9 9 9 9", c.corridor, "9 9 9 9 9 9 9 9 9"}, {-150, 0});
    level->placeMonsters = [&c](TestLevel& self) {
      if (c.kind >= 0) self.AddMonster(c.kind, self.CellCentre(c.at, 1)).rotation = c.facing;
      if (c.sparks) {
        auto trail = CreateElectric();
        trail->position = self.CellCentre(3, 1);
        trail->UpdateTransform();
      }
    };
    Begin(level);
    Player& player = *level->player;
    if (c.look >= 0) {
      // Two photos of the look: the second could be put on after the death.
      for (int slot : {0, 1}) {
        Photo& look = player.photos[slot];
        look.kind = c.look;
        look.element = 0;
        look.duration = 7;
        look.speed = 1.5f;
        look.size = {40, 40};
        look.animationImage = "Assets/FIREBALL.png";
        look.pictureImage = "Assets/SLAVA.png";
      }
      Tap(VK_RBUTTON);
      ASSERT_TRUE(player.disguised);
    }
    if (c.walks) test_input::Press('D');
    for (int frame = 0; frame < 300 && player.inPlay; ++frame) Frames(1);
    test_input::Release('D');
    ASSERT_FALSE(player.inPlay) << "still alive";
    EXPECT_EQ(player.deathCause.how, c.cause.how);
    EXPECT_EQ(player.deathCause.kind, c.cause.kind);
    const DeathLine* said = nullptr;
    for (const DeathLine& line : kDeathLines)
      if (line.picture == DeathLinePicture(player.deathCause)) said = &line;
    ASSERT_NE(said, nullptr);
    EXPECT_TRUE(std::ifstream(said->picture).good())
        << said->picture << " is not among the game's pictures";
    EXPECT_EQ(player.deathLineTexture, GetTexture(said->picture)) << "shown";
    EXPECT_EQ(std::string(said->words).find("disguise") != std::string::npos, c.look >= 0)
        << said->words;

    Tap(VK_RBUTTON);
    Frames(60);
    EXPECT_FALSE(player.disguised);
    int tens = 0, units = 0;
    DisguiseDigits(player.disguiseTime, &tens, &units);
    EXPECT_EQ(tens * 10 + units, 0) << "the look's seconds shown on the strip";
    EXPECT_EQ(gCurrentUI->statusName, UI::kNormalStatus);
  }
}

// Amber pixels over a box of the 800 x 600 view, from its bottom left, in the picture last
// shown.
int AmberPixelsIn(int left, int bottom, int width, int height) {
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  int count = 0;
  for (int y = bottom * h / 600; y < (bottom + height) * h / 600; ++y)
    for (int x = left * w / 800; x < (left + width) * w / 800; ++x) {
      const unsigned char* p = &pixels[(size_t(y) * w + x) * 4];
      count += p[0] > 200 && p[1] > 130 && p[1] < 200 && p[2] < 90;
    }
  return count;
}

// Amber pixels in the band under "Press SPACE" of the picture last shown
// (Mesa on Xvfb keeps the back buffer through a swap).
int AmberPixelsUnderTheWayOn() { return AmberPixelsIn(0, 0, 800, 70); }

TEST_F(FrontEndTest, AWinThatCannotBeKeptSaysSoOnTheResultScreen) {
  for (bool writable : {true, false}) {
    SCOPED_TRACE(writable ? "kept" : "not kept");
    // A folder where the file should be cannot be replaced.
    std::filesystem::remove_all(ProgressFilePath());
    if (!writable) std::filesystem::create_directories(ProgressFilePath());
    Begin(MakeCorridor(5));
    GameStateManager.level = 5;
    // Where level 6 leaves the camera at its exit: the whole picture must still show.
    LevelCamera* camera = Now<TestLevel>()->camera;
    camera->target = nullptr;
    camera->view = {-600, -775};
    test_input::Press('D');
    UntilLeft(120);
    test_input::Release('D');
    auto* result = Now<ResultScreen>();
    ASSERT_NE(result, nullptr) << "the exit was not reached";
    EXPECT_EQ(result->Facts().saved, writable);
    EXPECT_EQ(LoadWonLevels(), 1u << 5) << "the win counts in this run either way";
    Frames(2);
    EXPECT_EQ(AmberPixelsUnderTheWayOn() > 500, !writable);
  }
}

// Green pixels (the pad's A) in the band where the result screen says how to go on.
int GreenPixelsInTheWayOn() {
  int width = 0, height = 0;
  KEPlatformGetDrawableSize(&width, &height);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  int count = 0;
  for (int y = height * 68 / 600; y < height * 108 / 600; ++y) {
    for (int x = width / 5; x < width * 4 / 5; ++x) {
      const unsigned char* p = &pixels[(size_t(y) * width + x) * 4];
      count += p[1] > 140 && p[0] < 110 && p[2] < 120;
    }
  }
  return count;
}

// The way on names the pad's button while the pad is in use and the key again as soon as a
// key is pressed, on the same screen.
TEST_F(FrontEndTest, TheWayOnNamesTheDeviceUsedLast) {
  VirtualPad pad;
  Begin(MakeCorridor(2));
  GameStateManager.level = 2;
  Frames(2);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  UntilLeft(120);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  ASSERT_NE(Now<ResultScreen>(), nullptr) << "the exit was not reached";
  const auto padShown = [this] {
    Frames(2);
    return GreenPixelsInTheWayOn() > 100;
  };
  EXPECT_TRUE(padShown());
  Tap(VK_SHIFT);
  EXPECT_FALSE(padShown()) << "a key was pressed";
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  EXPECT_TRUE(padShown());
  pad.Button(SDL_CONTROLLER_BUTTON_B, false);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  Frames(2);
  pad.Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_NE(Now<LevelSelect>(), nullptr) << "A goes on as Space does";
  Tap(VK_SHIFT);  // the keyboard in use again for the tests after this one
}

TEST_F(FrontEndTest, CreditsAndInstructionsGoBackToTheMainMenu) {
  for (UIButton* MainMenu::*opener : {&MainMenu::credits, &MainMenu::instructions}) {
    auto* menu = new MainMenu;
    Begin(menu);
    PastTheDelay();
    Click(menu->*opener);
    ASSERT_NE(Now<PictureWithBackScreen>(), nullptr);
    EXPECT_EQ(Music(), "");
    ExpectButtonsAnswerOverTheirPlates("credits or instructions");
    Click(Now<PictureWithBackScreen>()->back);
    EXPECT_NE(Now<MainMenu>(), nullptr);
    EXPECT_EQ(GameStateManager.level, -1);
  }
}

// The settings from the main menu and from a paused level: each click takes effect at once,
// shows in the screen's pictures and is in the file; the way back leads where it came from.
TEST_F(FrontEndTest, SettingsTakeEffectAtOnceAndAreKept) {
  const Settings start = StartFromDefaults();
  auto* menu = new MainMenu;
  Begin(menu);
  PastTheDelay();
  Click(menu->settings);
  auto* screen = Now<SettingsScreen>();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Music(), kMenuMusic);
  PastTheDelay();
  ExpectButtonsAnswerOverTheirPlates("settings");
  SettingsPanel& panel = screen->panel;
  for (int i = 0; i < 3; ++i) Click(panel.volumes[0].minus);
  Click(panel.volumes[1].steps[3]);
  Click(panel.volumes[1].plus);
  Click(panel.rows[1].choices[2]);
  Click(panel.rows[2].choices[2]);
  Settings expected = start;
  expected.musicVolume = 70;
  expected.effectsVolume = 50;
  expected.vsync = VSyncMode::kOff;
  expected.gameSpeed = 70;
  EXPECT_TRUE(CurrentSettings() == expected);
  EXPECT_TRUE(LoadSettings() == expected) << "kept in the file at once";
  const auto shown = [](const UIButton* button) { return button->sprite.currentAnimation; };
  EXPECT_EQ(shown(panel.volumes[0].steps[6]), 1) << "70 % lights seven steps";
  EXPECT_EQ(shown(panel.volumes[0].steps[7]), 0);
  EXPECT_EQ(shown(panel.volumes[1].steps[4]), 1);
  EXPECT_EQ(shown(panel.volumes[1].steps[5]), 0);
  EXPECT_EQ(shown(panel.rows[1].choices[2]), 2) << "vsync off is the chosen picture";
  EXPECT_EQ(shown(panel.rows[1].choices[0]), 0);
  // The ends hold: no step below 0 or above 100.
  for (int i = 0; i < 4; ++i) Click(panel.volumes[1].plus);
  Click(panel.volumes[1].steps[0]);
  for (int i = 0; i < 2; ++i) Click(panel.volumes[1].minus);
  EXPECT_EQ(CurrentSettings().effectsVolume, 0);
  Click(panel.volumes[0].steps[9]);
  Click(panel.volumes[0].plus);
  EXPECT_EQ(CurrentSettings().musicVolume, 100);
  Tap(VK_ESCAPE);
  ASSERT_NE(Now<MainMenu>(), nullptr);

  // A map wider than the view, the player near its right end: the camera has moved.
  std::vector<std::string> rows(3, "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9");
  rows[1] = "9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 5 9";
  auto* level = new TestLevel(rows, {375, 0});
  Begin(level);
  Tap(VK_ESCAPE);
  Click(level->pauseMenu.instButton);
  ExpectButtonsAnswerOverTheirPlates("paused instructions");
  Click(level->pauseMenu.backButton);
  Click(level->pauseMenu.optionsButton);
  ExpectButtonsAnswerOverTheirPlates("pause menu with its options");
  Click(level->pauseMenu.gearButton);
  ASSERT_TRUE(level->pauseMenu.settings.IsOpen());
  ExpectButtonsAnswerOverTheirPlates("settings over a paused level");
  EXPECT_FALSE(level->pauseMenu.resumeButton->active);
  EXPECT_FALSE(level->pauseMenu.gearButton->active);
  EXPECT_EQ(shown(level->pauseMenu.settings.rows[2].choices[2]), 2);
  Click(level->pauseMenu.settings.rows[2].choices[1]);
  EXPECT_DOUBLE_EQ(level->TimeScale(), 0.85) << "the paused level runs on at the new speed";
  Click(level->pauseMenu.settings.back);
  EXPECT_FALSE(level->pauseMenu.settings.IsOpen());
  EXPECT_TRUE(level->pauseMenu.resumeButton->active);
  EXPECT_EQ(LoadSettings().gameSpeed, 85);
  StartWithSettings(start, start);
}

// BACK ends the settings' bottom row: Right stays on it instead of jumping up a row, Left
// goes to CONTROLS beside it.
TEST_F(FrontEndTest, RightFromBackStaysOnTheSettingsBottomRow) {
  auto* screen = new SettingsScreen;
  Begin(screen);
  PastTheDelay();
  SettingsPanel& panel = screen->panel;
  test_input::SetCursor(int(panel.back->hitLeft + panel.back->hitRight) / 2,
                        int(panel.back->hitTop + panel.back->hitBottom) / 2);
  Frames(1);
  ASSERT_TRUE(panel.back->focused);
  Tap(VK_RIGHT);
  EXPECT_TRUE(panel.back->focused);
  Tap(VK_LEFT);
  EXPECT_TRUE(panel.controlsButton->focused);
}

// A key rebound in the controls screen walks, the old one no longer does, the choice is in
// the file for the next run; a key in use and Escape change nothing; RESET restores.
TEST_F(FrontEndTest, AReboundKeyWalksAndAKeyInUseIsRefused) {
  const Settings start = StartFromDefaults();
  auto* screen = new SettingsScreen;
  Begin(screen);
  PastTheDelay();
  Click(screen->panel.controlsButton);
  ControlsPanel& controls = screen->panel.controls;
  ASSERT_TRUE(controls.IsOpen());
  ExpectButtonsAnswerOverTheirPlates("controls");
  const auto bound = [](Action action) { return CurrentSettings().keys[action]; };
  Click(controls.keys[int(Action::kWalkRight)]);
  EXPECT_EQ(controls.waitingFor, int(Action::kWalkRight));
  Tap('L');
  EXPECT_EQ(bound(Action::kWalkRight), unsigned('L'));
  EXPECT_EQ(LoadSettings().keys[Action::kWalkRight], unsigned('L')) << "kept for the next run";
  Click(controls.keys[int(Action::kWalkUp)]);
  Tap('L');
  EXPECT_EQ(bound(Action::kWalkUp), unsigned('W'));
  EXPECT_EQ(controls.message, "L IS ALREADY WALK RIGHT");
  // The line's letters sit inside the panel, clear of its border 500 under the view's top.
  Frames(1);
  EXPECT_GE(LightIn(200, 106, 400, 24).first, 235) << "the line under the rows";
  EXPECT_LT(LightIn(200, 96, 400, 10).first, 235) << "letters on the panel's border";
  Click(controls.keys[int(Action::kPause)]);
  Tap(VK_DOWN);
  EXPECT_EQ(bound(Action::kPause), unsigned(VK_DOWN)) << "a menu key, taken as the new key";
  Click(controls.keys[int(Action::kPause)]);
  Tap(VK_ESCAPE);
  EXPECT_EQ(bound(Action::kPause), unsigned(VK_DOWN)) << "Escape keeps the old key";
  EXPECT_EQ(Now<SettingsScreen>(), screen);
  EXPECT_EQ(controls.waitingFor, -1);

  auto* level = new TestLevel({"9 9 9 9 9", "9 0 0 5 9", "9 9 9 9 9"}, {-50, 0});
  Begin(level);
  const KEVec2 from = level->player->position;
  test_input::Press('D');
  Frames(20);
  test_input::Release('D');
  EXPECT_EQ(level->player->position.x, from.x) << "the old key no longer walks";
  test_input::Press('L');
  Frames(20);
  test_input::Release('L');
  EXPECT_GT(level->player->position.x, from.x + 20) << "the new key walks";

  Begin(new SettingsScreen);
  PastTheDelay();
  Click(Now<SettingsScreen>()->panel.controlsButton);
  Click(Now<SettingsScreen>()->panel.controls.reset);
  EXPECT_TRUE(CurrentSettings().keys == KeyBindings());
  StartWithSettings(start, start);
}

// From the splash to a level, its pause menu and back to the main menu without a mouse: by
// the keyboard alone, then by a pad alone. The focus starts on PLAY, LEVEL 1, RESUME and NO.
TEST_F(FrontEndTest, KeyboardAloneOrPadAloneFromTheSplashToALevelAndBack) {
  struct Device {
    const char* name;
    bool pad;
  };
  for (const Device device : {Device{"keyboard", false}, Device{"pad", true}}) {
    SCOPED_TRACE(device.name);
    VirtualPad pad;
    const auto press = [&](unsigned key, SDL_GameControllerButton button) {
      if (!device.pad) return Tap(key);
      // The pad's events are read at the end of a frame and seen by the next one.
      pad.Button(button, true);
      Frames(1);
      pad.Button(button, false);
      Frames(2);
    };
    const auto enter = [&] { press(VK_RETURN, SDL_CONTROLLER_BUTTON_A); };
    Begin(new StartScreen);
    Frames(2);
    enter();
    ASSERT_NE(Now<MainMenu>(), nullptr);
    PastTheDelay();
    enter();
    ASSERT_NE(Now<LevelSelect>(), nullptr) << "PLAY has the focus";
    PastTheDelay();
    enter();
    ASSERT_NE(Now<LoadingScreen>(), nullptr);
    EXPECT_EQ(Now<LoadingScreen>()->target, 1u) << "LEVEL 1 has the focus";
    UntilLeft();
    auto* level = Now<TestLevel>();
    ASSERT_NE(level, nullptr);
    enter();
    EXPECT_FALSE(level->overviewShown);
    if (device.pad) {
      // Pulled out in play, the pad leaves the level paused; plugged in again, it works.
      pad.PullOut();
      Frames(2);
      EXPECT_TRUE(gObjectManager.paused);
      pad.PlugIn();
      Frames(2);
      press(VK_ESCAPE, SDL_CONTROLLER_BUTTON_B);
      EXPECT_FALSE(gObjectManager.paused) << "B closes the pause menu";
    }
    press(VK_ESCAPE, SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(gObjectManager.paused);
    for (int i = 0; i < 4; ++i) press(VK_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(level->pauseMenu.menuButton->highlighted)
        << "RESUME, RESTART, INSTRUCTIONS, OPTIONS, MENU";
    enter();
    ASSERT_TRUE(level->pauseMenu.noButton->focused);
    press(VK_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    enter();
    ASSERT_NE(Now<LoadingScreen>(), nullptr);
    UntilLeft();
    ASSERT_NE(Now<MainMenu>(), nullptr);
    // Down past INSTRUCTIONS and SETTINGS to CREDITS; Escape or B come back.
    PastTheDelay();
    for (int i = 0; i < 3; ++i) press(VK_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    enter();
    ASSERT_NE(Now<CreditsScreen>(), nullptr);
    PastTheDelay();
    press(VK_ESCAPE, SDL_CONTROLLER_BUTTON_B);
    EXPECT_NE(Now<MainMenu>(), nullptr);
  }
}

// A slow machine shows the splash and the loading screen as long as a fast one, and one long
// frame (a stall) skips neither: it counts a tenth of a second.
TEST_F(FrontEndTest, SlowFramesAndAStallSkipNoScreen) {
  const struct {
    const char* what;
    double frameWork;  // seconds
    double stall;      // seconds the third frame takes instead, or 0
  } rows[] = {{"60 frames a second", 0, 0},
              {"15 frames a second", 1.0 / 15, 0},
              {"15 frames a second and a stall", 1.0 / 15, 5}};
  for (const auto& row : rows) {
    for (const auto& [screen, seconds] :
         {std::pair<const char*, double>{"splash", 4}, {"loading screen", 1}}) {
      SCOPED_TRACE(::testing::Message() << screen << " at " << row.what);
      test_input::SetFrameWork(row.frameWork);
      Begin(std::string(screen) == "splash" ? static_cast<GameState*>(new StartScreen)
                                            : new LoadingScreen(0));
      const uint64_t start = test_input::Now();
      Frames(2);
      test_input::SetFrameWork(row.stall ? row.stall : row.frameWork);
      Frames(1);
      test_input::SetFrameWork(row.frameWork);
      UntilLeft();
      EXPECT_NE(Now<MainMenu>(), nullptr);
      // Its first frame's drawing and its last frame add up to three slow frames; a
      // stall counts a tenth of a second.
      const double shown = double(test_input::Now() - start) / test_input::kFrequency - row.stall;
      EXPECT_GE(shown, seconds - 0.1);
      EXPECT_LE(shown, seconds + 0.2);
    }
  }
  test_input::SetFrameWork(0);
}

// Back from a level on a slow machine, the main menu drops a press made before its picture
// was up or in its first half second on screen, and takes one made later, also one made
// through a long frame with the menu on screen.
TEST_F(FrontEndTest, AfterALevelTheMenuTakesTheFirstPressMadeOnceItWasShown) {
  const struct {
    const char* what;
    int longFrame;     // the menu's frame that takes 1 s, from 1; 0 none
    int pressedAfter;  // Enter goes down after this many of the menu's frames
    bool taken;
  } rows[] = {{"before the picture was up", 1, 1, false},
              {"in the first half second", 0, 6, false},
              {"after half a second", 0, 9, true},
              {"through a long frame", 2, 2, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    test_input::SetFrameWork(1.0 / 15);
    Begin(new LoadingScreen(1));
    UntilLeft();
    ASSERT_NE(Now<TestLevel>(), nullptr);
    Tap(VK_RETURN);
    Tap(VK_ESCAPE);
    for (int i = 0; i < 4; ++i) Tap(VK_DOWN);
    Tap(VK_RETURN);
    Tap(VK_LEFT);
    Tap(VK_RETURN);
    ASSERT_NE(Now<LoadingScreen>(), nullptr) << "MENU, then YES";
    UntilLeft();
    ASSERT_NE(Now<MainMenu>(), nullptr);
    for (int frame = 1; frame <= row.pressedAfter; ++frame) {
      test_input::SetFrameWork(frame == row.longFrame ? 1.0 : 1.0 / 15);
      Frames(1);
    }
    test_input::SetFrameWork(1.0 / 15);
    Tap(VK_RETURN);
    EXPECT_EQ(Now<LevelSelect>() != nullptr, row.taken);
  }
  test_input::SetFrameWork(0);
}

// The game's own levels for 1 to 8, the main menu for 0, and for a number without a level.
TEST_F(FrontEndTest, ALoadingScreenHandsOverToItsTarget) {
  SetLevelMaker(nullptr);
  for (unsigned target = 0; target <= 9; ++target) {
    SCOPED_TRACE(::testing::Message() << "target " << target);
    Begin(new LoadingScreen(target));
    GameStateManager.level = int(target);
    EXPECT_EQ(UntilLeft(), 61);
    Frames(1);
    const bool isLevel = target >= 1 && target <= 8;
    EXPECT_EQ(CurrentLevel() != nullptr, isLevel);
    EXPECT_EQ(Now<MainMenu>() != nullptr, !isLevel);
    EXPECT_EQ(Music(), isLevel ? "Assets/levelbgm.wav" : kMenuMusic);
    if (target == 9) {
      EXPECT_EQ(GameStateManager.level, -1);
    }
  }
  // A level that cannot be made: the main menu rather than a loading screen for ever.
  SetLevelMaker([](int) -> GameState* { return nullptr; });
  Begin(new LoadingScreen(4));
  GameStateManager.level = 4;
  EXPECT_EQ(UntilLeft(), 61);
  EXPECT_NE(Now<MainMenu>(), nullptr);
  EXPECT_EQ(GameStateManager.level, -1);
  // Exactly 1 s is not yet more than 1 s.
  Begin(new LoadingScreen(0));
  Now<LoadingScreen>()->timer = 1.0 - 1.0 / 60;
  EXPECT_EQ(UntilLeft(), 3);
}

// A level reached through the loading screen opens on its overview, the world still, until
// a walk key, Space, Enter or a click; Escape opens the pause menu instead.
TEST_F(FrontEndTest, ALevelOpensOnItsOverviewUntilPlayBegins) {
  const struct {
    unsigned key;
    bool starts, pauses;
  } rows[] = {{'W', true, false},      {'A', true, false},        {'S', true, false},
              {'D', true, false},      {VK_SPACE, true, false},   {VK_RETURN, true, false},
              {VK_LBUTTON, true, false}, {VK_ESCAPE, true, true}, {'Q', false, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "key " << row.key);
    Begin(new LoadingScreen(2));
    GameStateManager.level = 2;
    UntilLeft();
    auto* level = Now<TestLevel>();
    ASSERT_NE(level, nullptr);
    Frames(5);
    ASSERT_TRUE(level->overviewShown);
    test_input::Press(row.key);
    Frames(1);
    test_input::Release(row.key);
    Frames(1);
    EXPECT_NE(level->overviewShown, row.starts);
    EXPECT_EQ(gObjectManager.paused, row.pauses);
    EXPECT_EQ(level->pauseMenu.resumeButton->active, row.pauses);
  }
}

// The overview's legend: a row per kind in the kind's colour, then the player and the exit,
// beside its words. Seen without colour (light or dark) each kind's mark still differs from
// every other's. Before play the line along the foot says how to begin; held Tab in play
// says how to go back.
TEST_F(FrontEndTest, TheOverviewsLegendTellsTheKindsApart) {
  auto* level = new TestLevel({"9 9 9 9 9", "9 0 0 5 9", "9 9 9 9 9"}, {-50, 0});
  level->ShowOverviewAtStart();
  Begin(level);
  Frames(1);
  EXPECT_TRUE(level->overview.beforePlay);
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  const std::vector<unsigned char> pixels = GlTestReadScreen();
  // The rows are 26 high from 65 under the view's top, the marks within 8 to 32 across.
  std::vector<bool> light[5];
  for (int kind = 0; kind < 5; ++kind) {
    const MapColour c = KindColour(kind);
    int coloured = 0;
    for (int y = (509 - 26 * kind) * h / 600; y < (535 - 26 * kind) * h / 600; ++y)
      for (int x = 8 * w / 800; x < 32 * w / 800; ++x) {
        const unsigned char* p = &pixels[(size_t(y) * w + x) * 4];
        coloured += std::abs(p[0] - c.r * 255) < 40 && std::abs(p[1] - c.g * 255) < 40 &&
                    std::abs(p[2] - c.b * 255) < 40;
        light[kind].push_back(p[0] * 0.3 + p[1] * 0.59 + p[2] * 0.11 > 128);
      }
    EXPECT_GT(coloured * 800 * 600, 40 * w * h) << "kind " << kind << " in its colour";
  }
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b) {
      int differ = 0, either = 0;
      for (size_t i = 0; i < light[a].size(); ++i) {
        differ += light[a][i] != light[b][i];
        either += light[a][i] || light[b][i];
      }
      EXPECT_GT(differ * 4, either) << "kinds " << a << " and " << b << " look alike in grey";
    }
  for (int row = 0; row < kLegendRows; ++row)
    EXPECT_GE(LightIn(34, 509 - 26 * row, 96, 26).first, 235) << kLegendWords[row];

  Tap(VK_SPACE);
  test_input::Press(VK_TAB);
  Frames(2);
  EXPECT_TRUE(level->overviewShown);
  EXPECT_FALSE(level->overview.beforePlay) << "in play the foot says how to go back";
  test_input::Release(VK_TAB);
}

TEST_F(FrontEndTest, TheLevelSelectShowsTheWinsOfAnOddProgressFile) {
  std::filesystem::create_directories(dataHome + "/vantrel");
  std::ofstream(dataHome + "/vantrel/progress.txt") << "vantrel progress 1\r\nwon 2 banana\r\n";
  Begin(new LevelSelect);
  Frames(1);
  EXPECT_EQ(Now<LevelSelect>()->wonLevels, 1u << 2);
}

// A level of the player's own: a room with the exit two cells east of the start, or, with
// the start in the wall, one that cannot be played.
std::string RoomLevel(const std::string& name, const char* start) {
  std::string text = "vantrel level 1\nname " + name + "\nwidth 10\nheight 10\ntilesize 50\n";
  for (int row = 0; row < 10; ++row)
    text += row == 0 || row == 9 ? "9 9 9 9 9 9 9 9 9 9\n"
            : row == 8           ? "9 0 0 5 0 0 0 0 0 9\n"
                                 : "9 0 0 0 0 0 0 0 0 9\n";
  return text + "player " + start + "\n";
}

// A file copied into the folder shows at the next visit; a broken one shows its first
// problem and does not start; a good one plays through the loading screen, restarts as
// itself, and its win is kept under its name and shown on its row.
TEST_F(FrontEndTest, YourLevelsListsCopiedInFilesAndPlaysTheGoodOnesToTheirResult) {
  SetLevelMaker(nullptr);
  Begin(new LevelSelect);
  PastTheDelay();
  Click(Now<LevelSelect>()->buttons[9]);
  Frames(1);
  ASSERT_NE(Now<YourLevelsScreen>(), nullptr);
  EXPECT_EQ(Now<YourLevelsScreen>()->ownCount, 0);
  EXPECT_EQ(Now<YourLevelsScreen>()->entries.size(), 8u) << "the game's levels, to copy";

  const std::string folder = dataHome + "/vantrel/levels";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/walled.txt") << RoomLevel("A walled start", "0,8");
  std::ofstream(folder + "/room.txt") << RoomLevel("The long way home", "1,8");
  PastTheDelay();
  Click(Now<YourLevelsScreen>()->back);
  Frames(1);
  PastTheDelay();
  Click(Now<LevelSelect>()->buttons[9]);
  Frames(1);
  auto* page = Now<YourLevelsScreen>();
  ASSERT_NE(page, nullptr);
  ASSERT_EQ(page->ownCount, 2);
  EXPECT_EQ(page->entries[0].name, "A walled start");
  EXPECT_EQ(page->entries[0].detail, "column 0, row 8: the player's start is in a wall");
  EXPECT_EQ(page->entries[1].name, "The long way home");
  EXPECT_EQ(page->entries[1].detail, "room.txt");
  // The problem is written under its name in amber, the good level's file name in cream.
  Frames(1);
  EXPECT_GE(AmberPixelsIn(100, 460, 300, 14), 50);
  EXPECT_EQ(AmberPixelsIn(100, 398, 300, 14), 0);

  PastTheDelay();
  // Chosen, then pressed again: a broken level stays on the page, with no PLAY to press.
  Click(page->rows[0]);
  Click(page->rows[0]);
  Frames(2);
  ASSERT_EQ(Now<YourLevelsScreen>(), page);
  EXPECT_FALSE(page->play->active);
  EXPECT_TRUE(page->edit->active);
  Click(page->rows[1]);
  Frames(1);
  EXPECT_TRUE(page->play->active);
  Click(page->play);
  ASSERT_NE(Now<LoadingScreen>(), nullptr);
  EXPECT_EQ(Now<LoadingScreen>()->target, unsigned(kLevelFromFile));
  UntilLeft();
  auto* level = Now<LevelBase>();
  ASSERT_NE(level, nullptr);
  Tap(VK_SPACE);  // past the overview
  Tap(VK_ESCAPE);
  Click(level->pauseMenu.restartButton);
  Click(level->pauseMenu.yesButton);
  UntilLeft();
  ASSERT_NE(Now<LevelBase>(), nullptr) << "restart plays the same file again";
  Tap(VK_SPACE);
  test_input::Press('D');
  UntilLeft(300);
  test_input::Release('D');
  auto* result = Now<ResultScreen>();
  ASSERT_NE(result, nullptr) << "the exit was not reached";
  EXPECT_TRUE(result->Facts().saved);
  EXPECT_TRUE(result->Facts().newBest);
  EXPECT_EQ(LoadWonLevels(), 0u) << "no game level was won";
  const NamedBestTimes won = LoadWonNamedLevels();
  ASSERT_EQ(won.count("The long way home"), 1u);
  EXPECT_EQ(TimeInTenths(won.at("The long way home")), TimeInTenths(result->Facts().seconds));
  // Its run is kept apart from the game levels' runs, to watch and to race.
  EXPECT_NE(result->Facts().run, nullptr);
  EXPECT_TRUE(std::filesystem::exists(dataHome + "/vantrel/runs/own-room-best.run"));
  Tap('W');
  ASSERT_NE(Now<LevelBase>(), nullptr) << "WATCH plays it";
  UntilLeft(300);
  ASSERT_NE(Now<ResultScreen>(), nullptr) << "and comes back to the result";
  Tap(VK_SPACE);
  page = Now<YourLevelsScreen>();
  ASSERT_NE(page, nullptr) << "a win of one's own level goes back to YOUR LEVELS";
  EXPECT_TRUE(page->entries[1].won);
  EXPECT_FALSE(page->entries[0].won);
  PastTheDelay();
  Click(page->play);
  UntilLeft();
  ASSERT_NE(Now<LevelBase>(), nullptr);
  EXPECT_TRUE(Now<LevelBase>()->ghost.HasRun()) << "played again, the level has its ghost";
}

// By keys alone: the arrows reach the rows, Enter chooses one and Enter again plays it; a
// game level's row offers EDIT A COPY instead of EDIT, and leaving the editor comes back here.
TEST_F(FrontEndTest, YourLevelsByKeysAloneAndBackFromTheEditor) {
  const std::string folder = dataHome + "/vantrel/levels";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/room.txt") << RoomLevel("The long way home", "1,8");
  Begin(new YourLevelsScreen);
  PastTheDelay();
  auto* page = Now<YourLevelsScreen>();
  for (int i = 0; i < 8 && !page->rows[1]->focused; ++i) Tap(i < 4 ? VK_DOWN : VK_UP);
  ASSERT_TRUE(page->rows[1]->focused);
  Tap(VK_RETURN);
  Frames(1);
  EXPECT_EQ(page->selected, 1);
  EXPECT_EQ(page->entries[1].gameLevel, 1);
  EXPECT_TRUE(page->editCopy->active);
  EXPECT_FALSE(page->edit->active);
  Tap(VK_UP);
  ASSERT_TRUE(page->rows[0]->focused);
  Tap(VK_RETURN);
  Frames(1);
  EXPECT_EQ(page->selected, 0);
  EXPECT_TRUE(page->edit->active);
  EXPECT_FALSE(page->editCopy->active);
  Click(page->edit);
  Frames(2);
  ASSERT_EQ(Now<YourLevelsScreen>(), nullptr) << "EDIT opens the editor";
  PastTheDelay();
  Tap(VK_ESCAPE);
  Frames(2);
  ASSERT_NE(Now<YourLevelsScreen>(), nullptr) << "leaving the editor comes back to YOUR LEVELS";
  page = Now<YourLevelsScreen>();
  PastTheDelay();
  for (int i = 0; i < 8 && !page->rows[0]->focused; ++i) Tap(VK_UP);
  Tap(VK_RETURN);
  ASSERT_NE(Now<LoadingScreen>(), nullptr) << "Enter on the chosen level plays it";
  EXPECT_EQ(Now<LoadingScreen>()->target, unsigned(kLevelFromFile));
}

// Eight levels of one's own and the game's eight turn three pages; the level last chosen is
// chosen again, on its page, at the next visit.
TEST_F(FrontEndTest, YourLevelsTurnsPagesAndKeepsTheLevelChosen) {
  const std::string folder = dataHome + "/vantrel/levels";
  std::filesystem::create_directories(folder);
  for (int i = 1; i <= 8; ++i)
    std::ofstream(folder + "/room" + std::to_string(i) + ".txt")
        << RoomLevel("Room " + std::to_string(i), "1,8");
  Begin(new YourLevelsScreen);
  PastTheDelay();
  auto* page = Now<YourLevelsScreen>();
  ASSERT_EQ(page->entries.size(), 16u);
  EXPECT_FALSE(page->pageUp->active);
  Click(page->pageDown);
  EXPECT_EQ(page->page, 1);
  EXPECT_EQ(page->OnRow(2)->name, "Level 1") << "the game's levels follow the player's";
  EXPECT_EQ(page->selected, 6);
  Click(page->pageDown);
  EXPECT_EQ(page->page, 2);
  EXPECT_FALSE(page->pageDown->active);
  EXPECT_TRUE(page->rows[3]->active);
  EXPECT_FALSE(page->rows[4]->active) << "16 levels leave two rows of the last page empty";
  Click(page->rows[1]);
  EXPECT_EQ(page->selected, 13);
  Click(page->back);
  ASSERT_NE(Now<LevelSelect>(), nullptr);
  Begin(new YourLevelsScreen);
  Frames(1);
  EXPECT_EQ(Now<YourLevelsScreen>()->page, 2);
  EXPECT_EQ(Now<YourLevelsScreen>()->selected, 13);
}

// WATCH on the result screen plays the run just won, the player walking as it walked, and
// ends back on the same result screen; the win and its run were kept once, as the level's
// last and best run, and watching keeps nothing more.
TEST_F(FrontEndTest, WatchOnTheResultScreenPlaysTheRunAndComesBack) {
  Begin(MakeCorridor(3));
  GameStateManager.level = 3;
  Frames(30);
  test_input::Press('D');
  UntilLeft(120);
  test_input::Release('D');
  auto* result = Now<ResultScreen>();
  ASSERT_NE(result, nullptr) << "the exit was not reached";
  const ResultFacts facts = result->Facts();
  ASSERT_NE(facts.run, nullptr);
  const std::string best = dataHome + "/vantrel/runs/Level3-best.run";
  ASSERT_TRUE(std::filesystem::exists(best));
  const auto keptAt = std::filesystem::last_write_time(best);
  EXPECT_TRUE(std::filesystem::exists(dataHome + "/vantrel/runs/Level3-last.run"));

  Click(result->watch.button);
  auto* watching = Now<LevelBase>();
  ASSERT_NE(watching, nullptr);
  EXPECT_TRUE(watching->Watching());
  const KEVec2 start = watching->player->position;
  Frames(25);
  EXPECT_EQ(watching->player->position.x, start.x) << "the run stood its first half second";
  Frames(15);
  EXPECT_GT(watching->player->position.x, start.x) << "then walked east";
  UntilLeft(200);
  auto* again = Now<ResultScreen>();
  ASSERT_NE(again, nullptr) << "watching ends back on the result screen";
  EXPECT_EQ(again->Facts().seconds, facts.seconds);
  EXPECT_EQ(again->Facts().newBest, facts.newBest);
  EXPECT_EQ(again->Facts().saved, facts.saved);
  EXPECT_EQ(std::filesystem::last_write_time(best), keptAt);
  Tap(VK_SPACE);
  EXPECT_NE(Now<LevelSelect>(), nullptr);
}

// Keeps a best run of two seconds under `name`: from `start`, `walk` steps east, then standing.
void KeepBestRun(const std::string& name, int level, uint32_t checksum, KEVec2 start, int walk) {
  RunRecorder recorder;
  recorder.Start(checksum, 100, start);
  for (int i = 0; i < 120; ++i) {
    recorder.Step(PlayerControls(), 100);
    recorder.Place({start.x + float(std::min(i + 1, walk)) * 1.5f, start.y});
  }
  RecordedRun run = recorder.Finish(2);
  run.level = level;
  std::filesystem::create_directories(RunsFolder());
  std::ofstream(RunFilePath(name, "best"), std::ios::binary) << WriteRun(run);
}

// A level's kept best run shows WATCH under its button: a run from another version of the
// level says so on screen and is not played, a damaged file too; one that fits plays until
// Escape leaves it, back to the level select.
TEST_F(FrontEndTest, TheLevelSelectWatchesAKeptRunOnlyWhenItFits) {
  std::ofstream(dataHome + "/vantrel/progress.txt")
      << "vantrel progress 1\nwon 1 2 4\nbest 1 9.0\nbest 2 9.0\nbest 4 9.0\n";
  KeepBestRun(RunName(1), 1, LevelCastOf(1)->checksum, {-50, 0}, 0);
  KeepBestRun(RunName(2), 2, LevelCastOf(2)->checksum + 1, {-50, 0}, 0);
  std::ofstream(RunFilePath(RunName(4), "best")) << "vantrel run 1\nlevel 4\n";
  Begin(new LevelSelect);
  PastTheDelay();
  auto* select = Now<LevelSelect>();
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(select->watch[2].button, nullptr) << "level 3 has no run kept";
  // Under the buttons, left of BACK.
  const auto lineShown = [] { return LightIn(220, 18, 300, 14).second; };
  const long dark = lineShown();

  Click(select->watch[1].button);
  EXPECT_EQ(Now<LevelSelect>(), select);
  EXPECT_EQ(select->line, "RECORDED ON ANOTHER VERSION OF THIS LEVEL");
  EXPECT_GT(lineShown(), dark * 3 / 2) << "the line is on screen";
  Click(select->watch[3].button);
  EXPECT_EQ(Now<LevelSelect>(), select);
  EXPECT_EQ(select->line, "THE KEPT RUN CANNOT BE READ");

  Click(select->watch[0].button);
  auto* watching = Now<LevelBase>();
  ASSERT_NE(watching, nullptr);
  EXPECT_TRUE(watching->Watching());
  Frames(10);
  Tap(VK_ESCAPE);
  EXPECT_NE(Now<LevelSelect>(), nullptr);
}

// The level's best run is drawn as a see-through figure where it stands, and nothing else on
// screen changes (the monster drawn after it keeps its own look); with the setting off there
// is none.
TEST_F(FrontEndTest, TheGhostIsDrawnWhereTheBestRunStands) {
  // A best run that walks a cell east of the player's start and stands there.
  KeepBestRun("Corridor", 3, 0, {-100, -25}, 34);
  KEVec2 camera = {0, 0};
  const auto shot = [this, &camera](bool ghost) {
    Settings settings = CurrentSettings();
    settings.ghost = ghost;
    ChangeSettings(settings);
    auto* level = new TestLevel(
        {"9 9 9 9 9 9 9", "9 0 0 0 0 0 9", "9 0 0 0 0 5 9", "9 9 9 9 9 9 9"}, {-100, -25});
    level->runName = "Corridor";
    // A fire rat standing in the far corner, looking away from the player.
    level->placeMonsters = [](TestLevel& l) { l.AddMonster(FireRat, l.CellCentre(4, 1)); };
    Begin(level);
    test_input::SetCursor(400, 0);  // facing up, away from the ghost
    Frames(60);
    EXPECT_EQ(level->ghost.Walking(), ghost);
    KEGfxGetCamPosition(&camera.x, &camera.y);
    return GlTestReadScreen();
  };
  const std::vector<unsigned char> with = shot(true), without = shot(false);
  ChangeSettings(Settings());
  ASSERT_EQ(with.size(), without.size());
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  // Where the run stands, (-49, -25), on screen.
  const float cx = (-49 - camera.x + 400) * float(w) / 800;
  const float cy = (-25 - camera.y + 300) * float(h) / 600, reach = 22.0f * float(w) / 800;
  long inside = 0, outside = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      long difference = 0;
      for (int c = 0; c < 3; ++c) {
        const size_t i = (size_t(y) * w + x) * 4 + c;
        difference += std::abs(int(with[i]) - int(without[i]));
      }
      const bool near = std::fabs(x + 0.5f - cx) <= reach && std::fabs(y + 0.5f - cy) <= reach;
      (near ? inside : outside) += difference;
    }
  EXPECT_GT(inside, 20000) << "no ghost drawn";
  EXPECT_EQ(outside, 0) << "drawn elsewhere too";
}

}  // namespace
