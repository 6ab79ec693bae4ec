// Screens put together the way the game draws them, for the contact sheet: the
// buttons at their sizes and places, the status strip over a level, the pause menu.
#include <cmath>

#include "PromptPictures.h"
#include "screens.h"

namespace {

struct Placed {
  const char* name;
  const char* state;
  double w, h, x, y;  // size and centre in world units, view centred on the origin
};

void PlaceButton(cairo_t* cr, const AssetSet& set, const Placed& b) {
  std::string file = b.state ? std::string("UI/Button_") + b.state + "_" + b.name + ".png" : b.name;
  const Image& image = set.Get(file);
  PaintImage(cr, image, 400 + b.x - b.w / 2, 300 - b.y - b.h / 2, b.w / image.width,
             b.h / image.height);
}

void Screen(cairo_t* cr, const AssetSet& set, const char* name, double w, double h,
            double alpha = 1) {
  const Image& image = set.Get(name);
  PaintImage(cr, image, 400 - w / 2, 300 - h / 2, w / image.width, h / image.height, alpha);
}

const char* const kLevelMap[] = {
    "################", "#......#...^^^.#", "#.o....#...^^^.#", "#......#.......#",
    "#..~~~.....o...#", "#..~~~.#.......#", "####.###..######", "#.......o......#",
    "#...........E..#", "#..............#", "################", "################",
};

void Level(cairo_t* cr, const AssetSet& set) {
  TileScene(cr, set, kLevelMap, 12);
  PlaceCreature(cr, set, "FIRERAT.png", 1, 560, 175, M_PI, 1, "monsterLOS.png");
  PlaceCreature(cr, set, "WATERRAT.png", 3, 210, 260, M_PI / 2, 1, "monsterLOS.png");
  PlaceCreature(cr, set, "BULB.png", 1, 430, 390, 0, 1, "monsterLOS.png");
  PaintFrame(cr, set.Get("Electri.png"), 4, 2, 355, 370);
  PlaceCreature(cr, set, "TIRE.png", 2, 660, 430, M_PI, 1, "monsterLOS.png");
  PaintImage(cr, set.Get("Alert.png"), 645, 390);
  PlaceCreature(cr, set, "FIREBALL.png", 0, 130, 430, -M_PI / 2, 1, "monsterLOS.png");
  PaintImage(cr, set.Get("Scaning.png"), 115, 390);
  PlaceCreature(cr, set, "PlayerMove.png", 1, 300, 150, 0.5, 1, "playerLOS.png");
}

void Hud(cairo_t* cr, const AssetSet& set, const char* status, const char* p1, const char* p2,
         int tens, int units) {
  PaintImage(cr, set.Get("gui.png"), 0, 520);
  auto icon = [&](const char* name, double x, double size) {
    PaintImage(cr, set.Get(name), 400 + x - size / 2, 565 - size / 2);
  };
  icon(status, -195, 50);
  icon((std::to_string(tens) + ".png").c_str(), -30, 20);
  icon((std::to_string(units) + ".png").c_str(), 10, 20);
  icon(p1, 170, 50);
  icon(p2, 250, 50);
  icon("PIC.png", 330, 50);
}

Image MainMenu(const AssetSet& set, bool confirm) {
  Canvas c(800, 600);
  Screen(c.cr(), set, "main.png", 800, 600);
  if (confirm) {
    Screen(c.cr(), set, "confirmation_quitgame.png", 500, 300);
    PlaceButton(c.cr(), set, {"YES", "hover", 150, 100, -110, -50});
    PlaceButton(c.cr(), set, {"NO", "idle", 150, 100, 90, -50});
  } else {
    PlaceButton(c.cr(), set, {"PLAY", "hover", 220, 80, 0, -45});
    PlaceButton(c.cr(), set, {"INST", "idle", 220, 80, 0, -97});
    PlaceButton(c.cr(), set, {"SETTINGS", "idle", 220, 80, 0, -149});
    PlaceButton(c.cr(), set, {"CREDITS", "idle", 220, 80, 0, -201});
    PlaceButton(c.cr(), set, {"QUIT", "clicked", 220, 80, 0, -253});
  }
  return c.Take();
}

Image LevelSelect(const AssetSet& set) {
  Canvas c(800, 600);
  Screen(c.cr(), set, "level.png", 800, 600);
  for (int i = 0; i < 8; ++i) {
    std::string name = "LEVEL" + std::to_string(i + 1);
    PlaceButton(c.cr(), set, {name.c_str(), i == 1 ? "hover" : "idle", 150, 100,
                              i < 4 ? -250.0 : -80.0, 150.0 - (i % 4) * 100});
  }
  PlaceButton(c.cr(), set, {"LEVELBACK", "idle", 150, 100, 200, -250});
  PlaceButton(c.cr(), set, {"YOURLEVELS", "idle", 220, 80, -165, -250});
  return c.Take();
}

Image Playing(const AssetSet& set) {
  Canvas c(800, 600);
  Level(c.cr(), set);
  Hud(c.cr(), set, "SPDU.png", "SFIRE.png", "STIRE.png", 0, 7);
  return c.Take();
}

Image Paused(const AssetSet& set, bool confirm) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Level(cr, set);
  if (confirm) Screen(cr, set, "confirmationscreen.png", 400, 300);
  Screen(cr, set, "PauseScreen.png", 800, 600, 0.5);
  // The menu's column stands left of the player at the view's centre.
  const double column = -230;
  PaintImage(cr, set.Get("PauseText.png"), column, 0);
  if (confirm) {
    PlaceButton(cr, set, {"YES", "idle", 150, 100, -100, -50});
    PlaceButton(cr, set, {"NO", "hover", 150, 100, 90, -50});
  } else {
    PlaceButton(cr, set, {"RESUME", "hover", 150, 75, column, 60});
    PlaceButton(cr, set, {"RESTART", "idle", 150, 75, column, 0});
    PlaceButton(cr, set, {"INST", "idle", 150, 75, column, -60});
    PlaceButton(cr, set, {"OPTIONS", "clicked", 150, 75, column, -120});
    PlaceButton(cr, set, {"soundOn.png", nullptr, 50, 50, column + 100, -120});
    PlaceButton(cr, set, {"GEAR", "idle", 50, 50, column + 155, -120});
    PlaceButton(cr, set, {"MENU", "idle", 150, 75, column, -180});
  }
  Hud(cr, set, "Status.png", "SBULB.png", "PIC.png", 0, 0);
  return c.Take();
}

Image WithBack(const AssetSet& set, const char* screen, double h, double x, double y) {
  Canvas c(800, 600);
  Screen(c.cr(), set, screen, 800, 600);
  PlaceButton(c.cr(), set, {"BACK", "idle", 150, h, x, y});
  return c.Take();
}

// Music at 70 %, effects at 100 %, full screen, vsync auto, full speed; the mouse on
// "window".
Image Settings(const AssetSet& set) {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  Screen(cr, set, "settings.png", 800, 600);
  // Screen pixels, y down, as the settings screen lays them out.
  auto at = [&](const std::string& file, double w, double h, double x, double y) {
    PlaceButton(cr, set, {file.c_str(), nullptr, w, h, x - 400, 300 - y});
  };
  const int volumes[] = {7, 10};
  for (int row = 0; row < 2; ++row) {
    const double y = 155 + row * 55;
    at("UI/Button_idle_MINUS.png", 50, 50, 362, y);
    for (int i = 0; i < 10; ++i)
      at(i < volumes[row] ? "UI/Step_on.png" : "UI/Step_off.png", 24, 36, 404 + 28 * i, y);
    at("UI/Button_idle_PLUS.png", 50, 50, 698, y);
  }
  const struct {
    double y;
    const char* names[3];
    const char* states[3];
  } rows[] = {
      {280, {"FULLSCREEN", "WINDOW", nullptr}, {"chosen", "hover", nullptr}},
      {330, {"AUTO", "ON", "OFF"}, {"chosen", "idle", "idle"}},
      {380, {"SPEED100", "SPEED85", "SPEED70"}, {"chosen", "idle", "idle"}},
  };
  for (const auto& row : rows)
    for (int i = 0; i < 3 && row.names[i]; ++i)
      at(std::string("UI/Choice_") + row.states[i] + "_" + row.names[i] + ".png", 120, 50, 400 + 130 * i,
         row.y);
  at("UI/Button_idle_BACK.png", 150, 80, 400, 545);
  return c.Take();
}

Image GameOver(const AssetSet& set) {
  Canvas c(800, 600);
  SetColor(c.cr(), Hex(0x000000));
  cairo_paint(c.cr());
  PaintImage(c.cr(), set.Get("GameOver.png"), 0, 0);
  PaintImage(c.cr(), set.Get("UI/Death_Touch_Fireball.png"), 20, 325);
  PaintImage(c.cr(), set.Get(InAssets(kTryAgainPictures.keyboard)), 400 - kHintWidth / 2.0,
             425 - kHintHeight / 2.0);
  Hud(c.cr(), set, "Status.png", "PIC.png", "PIC.png", 0, 0);
  return c.Take();
}

}  // namespace

std::vector<std::pair<std::string, Image>> MakeMockups(const AssetSet& set) {
  std::vector<std::pair<std::string, Image>> m;
  m.emplace_back("main menu", MainMenu(set, false));
  m.emplace_back("quit confirmation", MainMenu(set, true));
  m.emplace_back("level select", LevelSelect(set));
  m.emplace_back("in a level", Playing(set));
  m.emplace_back("pause menu", Paused(set, false));
  m.emplace_back("restart confirmation", Paused(set, true));
  m.emplace_back("instructions", WithBack(set, "Instruction.png", 80, 11, -275));
  m.emplace_back("credits", WithBack(set, "creditscreen.png", 100, 300, -250));
  m.emplace_back("settings", Settings(set));
  m.emplace_back("game over", GameOver(set));
  return m;
}
