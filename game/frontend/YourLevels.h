// The YOUR LEVELS page of the level select: the levels in the player's own folder, read
// afresh at every visit, then the game's levels to edit a copy of. A level is chosen by a
// press on its row; a second press or PLAY plays it, EDIT opens it in the editor, NEW opens
// the editor on a new file. A level that cannot be played shows its first problem instead.
#pragma once

#include <string>
#include <vector>

#include "AudioService.h"
#include "GameState.h"
#include "GlyphText.h"
#include "Progress.h"
#include "Sprite.h"
#include "TimeText.h"
#include "UserLevels.h"
#include "YourLevelsPictures.h"

class UIButton;

class YourLevelsScreen : public GameState {
 public:
  // One row of the list: a file of the player's folder, or one of the game's levels.
  struct Entry {
    std::string name;
    std::string detail;  // the file's name, or what is wrong with it
    std::string path;    // the file the editor opens
    bool broken = false;
    int gameLevel = 0;  // 1 to 8 for the game's own, 0 for the player's
    Level level;        // the player's level as read
    double best = 0;    // seconds; 0 without a timed win
    bool won = false;
  };

  void Load() override;
  void Initialize() override;
  void Update() override;
  void Draw() override;
  void Free() override;
  void Unload() override;

  // The entry on row `row` of the page shown, or null.
  const Entry* OnRow(int row) const;
  void ShowPage(int newPage);

  float delay = 0;  // seconds since entry while below half a second
  std::vector<Entry> entries;
  int ownCount = 0;  // the player's levels come first
  int selected = 0;
  int page = 0;
  Sprite background, badge, bestPlate;
  GlyphText names, problems, smallNames;
  TimeText times;
  // Owned by the UI object list; empty before Load and after Free.
  UIButton* rows[kLevelRowsShown] = {};
  UIButton* back = nullptr;
  UIButton* newLevel = nullptr;
  UIButton* edit = nullptr;
  UIButton* editCopy = nullptr;
  UIButton* play = nullptr;
  UIButton* pageUp = nullptr;
  UIButton* pageDown = nullptr;
  MusicHandle music;
  bool musicStarted = false;
};

// What a list shows of a name: printable ASCII, each other character one '?', cut to
// `most` characters with "..." at the end when longer.
std::string ShownText(const std::string& text, std::size_t most);
