// The level editor as a player meets it, through the real state loop with scripted keys,
// clicks and drags. Runs with data/ as working directory, for the game's own pictures.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "EditorLayout.h"
#include "EditorSession.h"
#include "GameStateLoop.h"
#include "KEInput.h"
#include "LevelBase.h"
#include "LevelEditor.h"
#include "LevelRoster.h"
#include "StateRequests.h"
#include "gl_environment.h"
#include "platform/KEPlatform.h"
#include "test_input.h"
#include "virtual_pad.h"

namespace fs = std::filesystem;

namespace {

GameState* NoScreen(unsigned) { return nullptr; }
GameState* NoResult() { return nullptr; }
GameState* Quit() { return nullptr; }

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class LevelEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    char folder[] = "/tmp/vantrel_editor_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_DATA_HOME", folder, 1);
    setenv("XDG_CONFIG_HOME", folder, 1);
    SetLoadingScreenFactory(NoScreen);
    SetResultScreenFactory(NoResult);
    SetEditorExit(Quit);
    test_input::Install();
  }
  void TearDown() override {
    test_input::ReleaseAll();
    if (GameStateManager.current) {
      RequestState(nullptr);
      GameStateLoopStep();
    }
    test_input::Uninstall();
    SetEditorExit(nullptr);
    SetLoadingScreenFactory(nullptr);
    SetResultScreenFactory(nullptr);
    fs::remove_all(home);
  }

  // The editor on `path`, past the half second in which clicks are dropped.
  EditorSession& Open(const std::string& path) {
    GameStateLoopBegin(CreateLevelEditor(path));
    Frames(31);
    return *CurrentEditorSession();
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
  void Chord(unsigned modifier, unsigned key) {
    test_input::Press(modifier);
    Tap(key);
    test_input::Release(modifier);
  }
  void PointAt(int column, int row) {
    const KEVec2 at = CellOnView(*CurrentEditorSession(), column, row);
    test_input::SetCursor(int(at.x + 400), int(300 - at.y));
  }
  void ClickCell(int column, int row) {
    PointAt(column, row);
    Frames(1);
    Tap(VK_LBUTTON);
  }
  const EditorDocument& Doc() { return CurrentEditorSession()->document; }

  std::string home;
};

TEST_F(LevelEditorTest, PaintingByDragAndByKeysLeavesTheCellsAndEachIsOneUndo) {
  EditorSession& session = Open(home + "/mine.txt");
  Tap('2');  // wall
  PointAt(2, 2);
  Frames(1);
  test_input::Press(VK_LBUTTON);
  for (int column = 2; column <= 6; ++column) {
    PointAt(column, 2);
    Frames(1);
  }
  test_input::Release(VK_LBUTTON);
  Frames(1);
  for (int column = 2; column <= 6; ++column) EXPECT_EQ(Doc().Cell(column, 2), kWallCell) << column;

  // By keys alone: to 2,4, then Space held while the cursor walks three cells east.
  Tap('4');  // lava
  session.column = 1, session.row = 1;
  Tap(VK_RIGHT);
  for (int i = 0; i < 3; ++i) Tap(VK_DOWN);
  EXPECT_EQ(session.column, 2);
  EXPECT_EQ(session.row, 4);
  test_input::Press(VK_SPACE);
  Frames(1);
  for (int i = 0; i < 3; ++i) Tap(VK_RIGHT);
  test_input::Release(VK_SPACE);
  Frames(1);
  for (int column = 2; column <= 5; ++column) EXPECT_EQ(Doc().Cell(column, 4), kLavaCell) << column;
  EXPECT_EQ(Doc().Cell(6, 4), kFloorCell);

  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Doc().Cell(2, 4), kFloorCell);
  EXPECT_EQ(Doc().Cell(5, 4), kFloorCell);
  EXPECT_EQ(Doc().Cell(6, 2), kWallCell);
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Doc().Cell(2, 2), kFloorCell);
  EXPECT_EQ(Doc().Cell(6, 2), kFloorCell);
  Chord(VK_CONTROL, 'Y');
  EXPECT_EQ(Doc().Cell(4, 2), kWallCell);
}

TEST_F(LevelEditorTest, ARouteIsClickedDraggedAndErasedWaypointByWaypoint) {
  Open(home + "/mine.txt");
  Tap('0');  // tire
  ClickCell(3, 3);
  for (int i = 0; i < 3; ++i) Tap('E');  // on to the waypoint
  ClickCell(6, 3);
  ClickCell(6, 6);
  ClickCell(6, 6);  // again on the last: a leg of no length is not added
  auto route = [&] { return Doc().level().monsters.at(0).route; };
  ASSERT_EQ(route().size(), 2u);
  PointAt(6, 6);
  Frames(1);
  test_input::Press(VK_LBUTTON);
  for (int column = 6; column <= 8; ++column) {
    PointAt(column, 6);
    Frames(1);
  }
  test_input::Release(VK_LBUTTON);
  Frames(1);
  ASSERT_EQ(route().size(), 2u);
  EXPECT_EQ(route()[1].column, 8);
  EXPECT_EQ(route()[0].column, 6) << "only the waypoint taken moves";
  Tap('E');  // erase
  ClickCell(6, 3);
  ASSERT_EQ(route().size(), 1u);
  EXPECT_EQ(route()[0].column, 8);
  EXPECT_EQ(Doc().Cell(6, 3), kFloorCell);
  Chord(VK_CONTROL, 'Z');
  Chord(VK_CONTROL, 'Z');
  ASSERT_EQ(route().size(), 2u);
  EXPECT_EQ(route()[1].column, 6) << "the drag was one step";
}

TEST_F(LevelEditorTest, ATryComesBackToTheEditorUnchangedAndUndoStillWorks) {
  EditorSession& session = Open(home + "/mine.txt");
  Tap('7');  // the player's start
  ClickCell(2, 2);
  Tap('6');  // exit
  ClickCell(8, 2);
  Tap('2');
  ClickCell(5, 5);
  ASSERT_EQ(Doc().Cell(5, 5), kWallCell);
  const Level before = Doc().level();
  session.column = 4, session.row = 6;
  const float zoom = session.zoom;

  struct Ending {
    const char* what;
    void (*end)();
  };
  const Ending endings[] = {
      {"leave to the menu", [] { RequestLoadingScreen(0); }},
      {"reach the exit", [] { RequestResultScreen(); }},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.what);
    Tap('T');
    ASSERT_NE(dynamic_cast<LevelBase*>(GameStateManager.current), nullptr);
    Frames(5);
    // A restart tries again.
    RequestLoadingScreen(unsigned(kLevelFromFile));
    Frames(1);
    ASSERT_NE(dynamic_cast<LevelBase*>(GameStateManager.current), nullptr);
    ending.end();
    Frames(1);
    ASSERT_EQ(CurrentEditorSession(), &session);
    EXPECT_TRUE(Doc().level() == before);
    EXPECT_EQ(session.column, 4);
    EXPECT_EQ(session.row, 6);
    EXPECT_EQ(session.zoom, zoom);
    // The front end's screens are back.
    EXPECT_EQ(CurrentLoadingScreenFactory(), &NoScreen);
    EXPECT_EQ(CurrentResultScreenFactory(), &NoResult);
    Frames(31);
  }
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Doc().Cell(5, 5), kFloorCell);
}

TEST_F(LevelEditorTest, ProblemsShowOnTheirCellsAndATryWaitsForThem) {
  EditorSession& session = Open(home + "/mine.txt");
  Tap('1');  // floor, into the border
  ClickCell(0, 5);
  Frames(1);
  // The cell's edge is framed in red; its middle keeps the floor's colour.
  const KEVec2 at = CellOnView(session, 0, 5);
  int w = 0, h = 0;
  KEPlatformGetDrawableSize(&w, &h);
  auto pixel = [&](float x, float y) {
    unsigned char rgba[4];
    GlTestReadPixel(int((x + 400) * float(w) / 800), int((y + 300) * float(h) / 600), rgba);
    return std::array<int, 3>{rgba[0], rgba[1], rgba[2]};
  };
  const float inset = session.zoom * 0.38f;
  const auto red = [](std::array<int, 3> p) { return p[0] > 200 && p[1] < 90 && p[2] < 120; };
  EXPECT_TRUE(red(pixel(at.x, at.y + inset)));
  EXPECT_FALSE(red(pixel(at.x, at.y)));
  const KEVec2 wall = CellOnView(session, 0, 7);
  EXPECT_FALSE(red(pixel(wall.x, wall.y + inset))) << "a closed cell of the border";

  Tap('T');
  EXPECT_EQ(CurrentEditorSession(), &session) << "no try with problems";
  EXPECT_NE(session.message.find("column 0, row 5"), std::string::npos) << session.message;
}

TEST_F(LevelEditorTest, ARefusedNameSaysWhyAndWritesNothing) {
  EditorSession& session = Open("");
  test_input::Press(VK_CONTROL);
  test_input::Press(VK_SHIFT);
  Tap('S');
  test_input::ReleaseAll();
  Frames(1);
  for (int i = 0; i < 20; ++i) Tap(VK_BACK);
  for (unsigned key : {0xBEu, 0xBEu, 0xBFu, unsigned('X')}) Tap(key);
  Tap(VK_RETURN);
  EXPECT_NE(session.nameProblem.find("/"), std::string::npos) << session.nameProblem;
  EXPECT_FALSE(fs::exists(home + "/vantrel/levels"));
  EXPECT_FALSE(fs::exists(home + "/vantrel/x.txt"));

  // Mended, it saves in the player's folder.
  for (int i = 0; i < 4; ++i) Tap(VK_BACK);
  for (unsigned key : {unsigned('H'), unsigned('I')}) Tap(key);
  Tap(VK_RETURN);
  EXPECT_EQ(session.nameProblem, "");
  EXPECT_TRUE(fs::exists(home + "/vantrel/levels/hi.txt"));
  EXPECT_EQ(Doc().level().name, "hi");
  EXPECT_FALSE(Doc().Changed());
}

TEST_F(LevelEditorTest, SavingAGameLevelMakesACopyAndACommandLineFileIsSavedInPlace) {
  const std::string installed = home + "/installed";
  fs::create_directories(installed);
  fs::copy_file("Level1.txt", installed + "/Level1.txt");
  const std::string original = Read(installed + "/Level1.txt");

  EditorSession& session = Open(installed + "/Level1.txt");
  const std::string name = Doc().level().name;
  ASSERT_FALSE(name.empty());
  Tap('5');  // water
  ClickCell(3, 3);
  ASSERT_TRUE(Doc().Changed());
  Chord(VK_CONTROL, 'S');
  Tap(VK_RETURN);  // the level's own name, as offered
  const std::string copy = home + "/vantrel/levels/" + name + ".txt";
  EXPECT_TRUE(fs::exists(copy)) << session.message;
  EXPECT_EQ(Read(installed + "/Level1.txt"), original);
  EXPECT_EQ(session.savePath, copy);
  // Saved again, the copy takes the change; the installed file still does not.
  ClickCell(4, 3);
  Chord(VK_CONTROL, 'S');
  EXPECT_EQ(Read(installed + "/Level1.txt"), original);
  EXPECT_EQ(Read(copy), WriteLevel(Doc().level()));
  RequestState(nullptr);
  Frames(1);

  // Named on the command line, where no screen waits for its end.
  SetEditorExit(nullptr);
  EditorSession& named = Open(installed + "/Level1.txt");
  Tap('5');
  ClickCell(3, 4);
  Chord(VK_CONTROL, 'S');
  EXPECT_EQ(named.savePath, installed + "/Level1.txt");
  EXPECT_EQ(Read(installed + "/Level1.txt"), WriteLevel(Doc().level()));
}

TEST_F(LevelEditorTest, APadAlonePaintsUndoesAndSavesUnderANamePickedFromTheRow) {
  VirtualPad pad;
  const auto press = [&](SDL_GameControllerButton button) {
    // The pad's events are read at the end of a frame and seen by the next one.
    pad.Button(button, true);
    Frames(1);
    pad.Button(button, false);
    Frames(2);
  };
  EditorSession& session = Open(home + "/mine.txt");
  session.column = 2, session.row = 2;
  press(SDL_CONTROLLER_BUTTON_A);  // a wall, the tool in hand
  press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);  // the pillar
  press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Doc().Cell(2, 2), kWallCell);
  EXPECT_EQ(Doc().Cell(3, 2), kPillarCell);
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 1);
  Frames(2);
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
  Frames(2);
  EXPECT_EQ(Doc().Cell(3, 2), kFloorCell) << "the left trigger undoes";

  press(SDL_CONTROLLER_BUTTON_Y);  // to the bar: TEST PLAY, SAVE, SAVE AS
  press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  press(SDL_CONTROLLER_BUTTON_A);
  for (int i = 0; i < 4; ++i) press(SDL_CONTROLLER_BUTTON_X);  // "mine" gone
  press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);                      // K, ten along the row
  press(SDL_CONTROLLER_BUTTON_A);
  press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  press(SDL_CONTROLLER_BUTTON_A);
  press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(fs::exists(home + "/vantrel/levels/KJ.txt")) << session.nameProblem;
  EXPECT_EQ(Doc().level().name, "KJ");
}

// A player who saves, leaves, tries the level from the list and comes back can still take
// back the last change; a file changed meanwhile, or changes left unsaved, start afresh.
TEST_F(LevelEditorTest, BackOnTheLevelItSavedTheEditorStillUndoes) {
  const std::string path = home + "/vantrel/levels/mine.txt";
  Open(path);
  Tap('2');
  ClickCell(3, 3);
  Chord(VK_CONTROL, 'S');
  ASSERT_FALSE(Doc().Changed());
  Tap(VK_ESCAPE);
  Frames(1);
  ASSERT_EQ(CurrentEditorSession(), nullptr);

  Open(path);
  ASSERT_TRUE(Doc().CanUndo());
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Doc().Cell(3, 3), 0u);
  Chord(VK_CONTROL, 'S');
  EXPECT_NE(Read(path).find("9 9 9"), std::string::npos);
  EXPECT_EQ(Read(path).find("0 9 0"), std::string::npos) << "saved again without the wall";
  Tap(VK_ESCAPE);
  Frames(1);

  std::ofstream(path, std::ios::app) << "# changed by hand\n";
  std::ofstream(path, std::ios::app) << "player 2,2\n";
  Open(path);
  EXPECT_FALSE(Doc().CanUndo()) << "a file changed meanwhile is read afresh";
  EXPECT_EQ(Doc().level().player->column, 2);
}

TEST_F(LevelEditorTest, LeavingWithChangesAsksFirst) {
  Open(home + "/mine.txt");
  Tap('2');
  ClickCell(3, 3);
  Tap(VK_ESCAPE);
  ASSERT_NE(CurrentEditorSession(), nullptr);
  Tap(VK_ESCAPE);  // no: back to the map
  Tap(VK_ESCAPE);
  EXPECT_NE(CurrentEditorSession(), nullptr);
  Tap(VK_LEFT);  // to YES
  Tap(VK_RETURN);
  Frames(1);
  EXPECT_EQ(CurrentEditorSession(), nullptr);
}

}  // namespace
