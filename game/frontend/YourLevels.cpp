#include "YourLevels.h"

#include <filesystem>

#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "LevelEditor.h"
#include "LevelRoster.h"
#include "LevelSelect.h"
#include "LoadingScreen.h"
#include "ObjectManager.h"
#include "ResultPictures.h"
#include "UIButton.h"

namespace {

enum RowPicture { kRowIdle, kRowHover, kRowChosen, kRowChosenHover };

const ButtonRow<YourLevelsScreen> kButtons[] = {
    {&YourLevelsScreen::back, OverPlate("BACK", 150, 80, -300, -245, kBackPlate)},
    {&YourLevelsScreen::newLevel, OverPlate("NEW", 150, 80, -150, -245, kBackPlate)},
    {&YourLevelsScreen::edit, OverPlate("EDIT", 150, 80, 10, -245, kBackPlate)},
    {&YourLevelsScreen::editCopy, OverPlate("EDITCOPY", 220, 80, 45, -245, kMenuPlate)},
    {&YourLevelsScreen::play, OverPlate("PLAY", 220, 80, 255, -245, kMenuPlate)},
    {&YourLevelsScreen::pageUp, OverPlate("PAGEUP", 50, 50, kPageArrowX, kPageUpY, kSmallPlate)},
    {&YourLevelsScreen::pageDown,
     OverPlate("PAGEDOWN", 50, 50, kPageArrowX, kPageDownY, kSmallPlate)},
};

// The file of the level last chosen, played or opened in the editor: chosen again, on its
// page, when the player comes back.
std::string gLastChosen;

float RowY(int row) { return kFirstLevelRowY - kLevelRowPitch * float(row); }

// Inside a row: the name on top, the file or its problem under it, the badge and best time
// at the right end.
constexpr float kTextLeft = kLevelRowX - kLevelRowWidth / 2.0f + 26;
constexpr float kNameLift = 9, kDetailDrop = 11;
constexpr std::size_t kNameChars = 30, kDetailChars = 56;
constexpr float kBadgeX = kLevelRowX + kLevelRowWidth / 2.0f - 34;
constexpr float kBadgeHalfSize = 16;

void Play(const YourLevelsScreen::Entry& entry) {
  gLastChosen = entry.path;
  int target = entry.gameLevel;
  if (target == 0) {
    SetFileLevel(CastOf(entry.level, entry.path), entry.name);
    target = kLevelFromFile;
  }
  GameStateManager.level = target;
  RequestState(new LoadingScreen(unsigned(target)));
}

}  // namespace

std::string ShownText(const std::string& text, std::size_t most) {
  std::string shown;
  for (const unsigned char byte : text) {
    // A character of several bytes shows as one mark: its lead byte alone makes it.
    if (byte >= 0x80 && byte < 0xC0) continue;
    shown += byte >= ' ' && byte < 0x7f ? char(byte) : '?';
  }
  if (shown.size() > most) shown = shown.substr(0, most - 3) + "...";
  return shown;
}

const YourLevelsScreen::Entry* YourLevelsScreen::OnRow(int row) const {
  const std::size_t index = std::size_t(page * kLevelRowsShown + row);
  return index < entries.size() ? &entries[index] : nullptr;
}

void YourLevelsScreen::Load() {
  KEGfxSetCamPosition(0, 0);
  background.Init(1, 400, 300);
  background.AddImage(kYourLevelsPicture);
  const NamedBestTimes wonOwn = LoadWonNamedLevels();
  for (UserLevel& level : ListUserLevels(UserLevelsFolder())) {
    Entry entry;
    entry.name = level.name;
    entry.broken = !level.problem.empty();
    entry.detail = entry.broken ? level.problem : level.fileName;
    entry.path = level.path;
    entry.level = std::move(level.level);
    if (auto found = wonOwn.find(entry.name); found != wonOwn.end()) {
      entry.won = true;
      entry.best = found->second;
    }
    entries.push_back(std::move(entry));
  }
  ownCount = int(entries.size());
  BestTimes best;
  const unsigned won = LoadWonLevels(&best);
  for (int number = 1; number <= kLevelCount; ++number) {
    Entry entry;
    entry.name = LevelName(number);
    entry.detail = "the game's own: EDIT A COPY keeps your changes apart";
    entry.gameLevel = number;
    if (const LevelCast* cast = LevelCastOf(number))
      entry.path = std::filesystem::absolute(cast->mapFile).string();
    entry.won = won & (1u << number);
    entry.best = best.seconds[number];
    entries.push_back(std::move(entry));
  }
  for (int row = 0; row < kLevelRowsShown; ++row) {
    const ButtonSpec layout =
        OverPlate(nullptr, kLevelRowWidth, kLevelRowHeight, kLevelRowX, RowY(row), kLevelRowPlate);
    rows[row] = ImageButton(layout, {kLevelRowPictures[0], kLevelRowPictures[1],
                                     kLevelRowPictures[2], kLevelRowPictures[3]});
  }
  CreateButtons(*this, kButtons);
  back->isBack = true;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (!gLastChosen.empty() && entries[i].path == gLastChosen) selected = int(i);
  badge.Init(1, kBadgeHalfSize, kBadgeHalfSize);
  badge.AddImage("Assets/UI/WonBadge.png");
  bestPlate.Init(1, kBestTimePlateWidth / 2.0f, kBestTimePlateHeight / 2.0f);
  bestPlate.AddImage(kBestTimePlatePicture);
  names.Load(kListGlyphsPicture, kListGlyphs, kListGlyphWidth, kListGlyphHeight, 1.0f);
  smallNames.Load(kListGlyphsPicture, kListGlyphs, kListGlyphWidth, kListGlyphHeight, 0.72f);
  problems.Load(kProblemGlyphsPicture, kListGlyphs, kListGlyphWidth, kListGlyphHeight, 0.72f);
  times.Load(0.5f);
  music = AudioService::Get().LoadMusic("Assets/Eeriewind.wav");
}

void YourLevelsScreen::Initialize() {
  SortByLayer(gUIObjects);
  // Without a folder there is nowhere to keep a new level.
  newLevel->active = !UserLevelsFolder().empty();
  back->active = true;
  ShowPage(selected / kLevelRowsShown);
}

void YourLevelsScreen::ShowPage(int newPage) {
  page = newPage;
  if (selected / kLevelRowsShown != page) {
    selected = page * kLevelRowsShown;
    gLastChosen = entries[std::size_t(selected)].path;
  }
  for (int row = 0; row < kLevelRowsShown; ++row) rows[row]->active = OnRow(row) != nullptr;
  pageUp->active = page > 0;
  pageDown->active = std::size_t((page + 1) * kLevelRowsShown) < entries.size();
}

void YourLevelsScreen::Update() {
  const Entry& chosen = entries[std::size_t(selected)];
  play->active = !chosen.broken;
  edit->active = chosen.gameLevel == 0;
  editCopy->active = chosen.gameLevel != 0;
  UpdateUIObjects();
  AudioService::Get().PlayMusicOnce(music, musicStarted);
  for (int row = 0; row < kLevelRowsShown; ++row) {
    const int index = page * kLevelRowsShown + row;
    rows[row]->sprite.SetAnimation(index == selected
                                       ? (rows[row]->highlighted ? kRowChosenHover : kRowChosen)
                                   : rows[row]->highlighted ? kRowHover
                                                            : kRowIdle);
  }
  if (DropEarlyClicks(delay)) return;
  for (int row = 0; row < kLevelRowsShown; ++row) {
    if (!TakeClick(rows[row])) continue;
    const int index = page * kLevelRowsShown + row;
    // A second press on the chosen level plays it, as PLAY does.
    if (index == selected && !entries[std::size_t(index)].broken) return Play(chosen);
    selected = index;
    gLastChosen = entries[std::size_t(index)].path;
  }
  if (TakeClick(pageUp)) ShowPage(page - 1);
  if (TakeClick(pageDown)) ShowPage(page + 1);
  if (TakeClick(play) && !chosen.broken) return Play(chosen);
  if (TakeClick(edit) || TakeClick(editCopy)) return RequestState(CreateLevelEditor(chosen.path));
  if (TakeClick(newLevel)) {
    const std::string folder = UserLevelsFolder();
    gLastChosen = (std::filesystem::path(folder) / FreeLevelFileName(folder)).string();
    return RequestState(CreateLevelEditor(gLastChosen));
  }
  if (TakeClick(back)) RequestState(new LevelSelect);
}

void YourLevelsScreen::Draw() {
  BeginSpriteDraw(1.0f, 0, 0);
  background.DrawFrame();
  DrawUIObjects();
  for (int row = 0; row < kLevelRowsShown; ++row) {
    const Entry* entry = OnRow(row);
    if (!entry) continue;
    const float y = RowY(row);
    names.Draw(ShownText(entry->name, kNameChars), kTextLeft, y + kNameLift, 0);
    GlyphText& detail = entry->broken ? problems : smallNames;
    detail.Draw(ShownText(entry->detail, kDetailChars), kTextLeft, y - kDetailDrop, 0);
    if (!entry->won) continue;
    BeginSpriteDraw(1.0f, kBadgeX, y + 4);
    badge.DrawFrame();
    if (entry->best <= 0) continue;
    const float centre = kBadgeX - kBadgeHalfSize - 4 - kBestTimePlateWidth / 2.0f;
    BeginSpriteDraw(1.0f, centre, y + 8);
    bestPlate.DrawFrame();
    times.Draw(entry->best, centre, y + 8, 0.5f);
  }
  if (entries.size() > std::size_t(kLevelRowsShown)) {
    const int pages = int((entries.size() + kLevelRowsShown - 1) / kLevelRowsShown);
    smallNames.Draw(std::to_string(page + 1) + "/" + std::to_string(pages), kPageArrowX,
                    (kPageUpY + kPageDownY) / 2, 0.5f);
  }
}

void YourLevelsScreen::Free() {
  FreeUIObjects();
  for (UIButton*& row : rows) row = nullptr;
  for (const auto& row : kButtons) this->*row.slot = nullptr;
}

void YourLevelsScreen::Unload() { AudioService::Get().ReleaseMusic(music); }
