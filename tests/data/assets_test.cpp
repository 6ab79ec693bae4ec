// Every picture and sound the game asks for exists, decodes with the game's own
// loader and has the size the game draws it at. Runs with data/ as working directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AudioService.h"
#include "ChargePictures.h"
#include "DeathLines.h"
#include "KEPlatform.h"
#include "OverviewLegend.h"
#include "PhotoRefusals.h"
#include "PromptPictures.h"
#include "ResultPictures.h"

namespace {

struct Picture {
  std::string path;
  int width, height;
};

// Sizes as drawn: tiles 50, creature strips 4 frames of 40, icons 30 and 50, the
// status strip 800 x 80, screens at their quad sizes.
const std::vector<Picture> kPictures = {
    {"Assets/floor.png", 50, 50},         {"Assets/wall.png", 50, 50},
    {"Assets/pillar.png", 50, 50},        {"Assets/LavaTile1.png", 50, 50},
    {"Assets/WaterTile.png", 50, 50},     {"Assets/Exit.png", 50, 50},
    {"Assets/PlayerMove.png", 160, 40},   {"Assets/PlayerStatic.png", 160, 40},
    {"Assets/FIRERAT.png", 160, 40},      {"Assets/WATERRAT.png", 160, 40},
    {"Assets/TIRE.png", 160, 40},         {"Assets/BULB.png", 160, 40},
    {"Assets/FIREBALL.png", 160, 40},     {"Assets/Electri.png", 160, 40},
    {"Assets/playerLOS.png", 135, 60},    {"Assets/monsterLOS.png", 135, 60},
    {"Assets/Alert.png", 30, 30},         {"Assets/Scaning.png", 30, 30},
    {"Assets/gui.png", 800, 80},          {"Assets/PIC.png", 50, 50},
    {"Assets/SFIRE.png", 50, 50},         {"Assets/SWATER.png", 50, 50},
    {"Assets/STIRE.png", 50, 50},         {"Assets/SBULB.png", 50, 50},
    {"Assets/SLAVA.png", 50, 50},         {"Assets/Status.png", 50, 50},
    {"Assets/SPDD.png", 50, 50},          {"Assets/SPDU.png", 50, 50},
    {"Assets/SPDMIX.png", 50, 50},        {"Assets/SPDSLOW.png", 50, 50},
    {"Assets/flash1.png", 800, 600},
    {"Assets/flash2.png", 800, 600},      {"Assets/Flash3.png", 800, 600},
    {"Assets/GameOver.png", 800, 600},    {"Assets/startScreen.png", 660, 660},
    {"Assets/Loading.png", 2640, 660},
    {"Assets/main.png", 800, 600},        {"Assets/level.png", 800, 600},
    {"Assets/creditscreen.png", 800, 600}, {"Assets/Instruction.png", 800, 600},
    {"Assets/InstructionPaused.png", 800, 600},
    {"Assets/Win.png", 800, 800},         {"Assets/PauseScreen.png", 800, 600},
    {"Assets/PauseText.png", 800, 600},   {"Assets/confirmationscreen.png", 400, 300},
    {"Assets/confirmation_quitgame.png", 500, 300},
    {"Assets/soundOn.png", 50, 50},       {"Assets/soundOFF.png", 50, 50},
    {"Assets/icon.png", 64, 64},          {"Assets/UI/WonBadge.png", 32, 32},
    {"Assets/UI/NotSaved.png", 560, 44},  {"Assets/settings.png", 800, 600},
    {"Assets/UI/Step_off.png", 24, 36},   {"Assets/UI/Step_on.png", 24, 36},
    {"Assets/OverviewBackdrop.png", 800, 520}, {"Assets/OverviewNames.png", 2880, 48},
    {"Assets/ExitArrow.png", 48, 48},
    {kTimeGlyphsPicture, kTimeGlyphWidth * kTimeGlyphCount, kTimeGlyphHeight},
    {kTimeLabelPicture, 160, 36},         {kBestLabelPicture, 160, 36},
    {kNewBestPicture, 150, 36},           {kNoPhotosPicture, 360, 36},
    {kBestTimePlatePicture, kBestTimePlateWidth, kBestTimePlateHeight},
    {kInstructionPictures.pad, 800, 600}, {kPausedInstructionPictures.pad, 800, 600},
    {kTryAgainPictures.keyboard, kHintWidth, kHintHeight},
    {kTryAgainPictures.pad, kHintWidth, kHintHeight},
    {kContinuePictures.keyboard, kHintWidth, kHintHeight},
    {kContinuePictures.pad, kHintWidth, kHintHeight},
    {kOverviewKeyPictures.keyboard, kOverviewKeysWidth, kOverviewKeysHeight},
    {kOverviewKeyPictures.pad, kOverviewKeysWidth, kOverviewKeysHeight},
    {kOverviewInPlayKeyPictures.keyboard, kOverviewKeysWidth, kOverviewKeysHeight},
    {kOverviewInPlayKeyPictures.pad, kOverviewKeysWidth, kOverviewKeysHeight},
    {kLegendPicture, kLegendWordsWidth, kLegendRowHeight * kLegendRows},
};

// Button NAME and the size of its three images. INST is drawn at 220 x 80 in the
// main menu and squeezed into 150 x 75 in the pause menu; BACK is 150 x 80 and
// stretched to 150 x 100 on the credits screen. GEAR, MINUS and PLUS are the sound
// toggle's size.
const std::vector<Picture> kButtons = {
    {"PLAY", 220, 80},     {"INST", 220, 80},     {"CREDITS", 220, 80},  {"QUIT", 220, 80},
    {"SETTINGS", 220, 80}, {"GEAR", 50, 50},      {"MINUS", 50, 50},     {"PLUS", 50, 50},
    {"YES", 150, 100},     {"NO", 150, 100},      {"RESUME", 150, 75},   {"RESTART", 150, 75},
    {"OPTIONS", 150, 75},  {"MENU", 150, 75},     {"BACK", 150, 80},     {"LEVEL1", 150, 100},
    {"LEVEL2", 150, 100},  {"LEVEL3", 150, 100},  {"LEVEL4", 150, 100},  {"LEVEL5", 150, 100},
    {"LEVEL6", 150, 100},  {"LEVEL7", 150, 100},  {"LEVEL8", 150, 100},  {"LEVELBACK", 150, 100},
};
const char* const kStates[] = {"idle", "hover", "clicked"};
// The settings screen's options, 120 x 50 in each state.
const char* const kChoices[] = {"FULLSCREEN", "WINDOW", "AUTO", "ON", "OFF", "SPEED100", "SPEED85", "SPEED70"};

std::string ButtonPath(const char* state, const std::string& name) {
  return std::string("Assets/UI/Button_") + state + "_" + name + ".png";
}

// Loads through the engine and frees on scope exit.
struct Loaded {
  KEPlatformImage image{};
  bool ok = false;
  explicit Loaded(const std::string& path) { ok = KEPlatformImageLoad(path.c_str(), &image) == 1; }
  ~Loaded() {
    if (ok) KEPlatformImageFree(&image);
  }
  const unsigned char* At(int x, int y) const { return image.pixels + (size_t(y) * image.width + x) * 4; }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
};

void ExpectPicture(const std::string& path, int width, int height) {
  SCOPED_TRACE(path);
  Loaded p(path);
  ASSERT_TRUE(p.ok) << KEPlatformLastError();
  EXPECT_EQ(p.image.width, width);
  EXPECT_EQ(p.image.height, height);
}

int OpaquePixels(const Loaded& p, int x0, int y0, int w, int h) {
  int count = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) count += p.Alpha(x, y) > 128;
  return count;
}

bool SameRegion(const Loaded& p, int ax, int bx, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!std::equal(p.At(ax + x, y), p.At(ax + x, y) + 4, p.At(bx + x, y))) return false;
  return true;
}

// Mean colour over the middle of the picture.
struct Rgb {
  double r = 0, g = 0, b = 0;
};
Rgb MeanRgb(const Loaded& p, int w, int h) {
  Rgb m;
  int n = 0;
  for (int y = h / 3; y < h * 2 / 3; ++y)
    for (int x = w / 4; x < w * 3 / 4; ++x, ++n) {
      m.r += p.At(x, y)[0];
      m.g += p.At(x, y)[1];
      m.b += p.At(x, y)[2];
    }
  return {m.r / n, m.g / n, m.b / n};
}
double Distance(Rgb a, Rgb b) { return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b)); }

TEST(Assets, EveryPictureLoadsAtItsDrawnSize) {
  for (const Picture& pic : kPictures) ExpectPicture(pic.path, pic.width, pic.height);
  for (const Picture& b : kButtons)
    for (const char* state : kStates) ExpectPicture(ButtonPath(state, b.path), b.width, b.height);
  for (int d = 0; d <= 9; ++d) ExpectPicture("Assets/" + std::to_string(d) + ".png", 20, 20);
  for (const char* name : kChoices)
    for (const char* state : {"idle", "hover", "chosen"})
      ExpectPicture(std::string("Assets/UI/Choice_") + state + "_" + name + ".png", 120, 50);
  for (const DeathLine& line : kDeathLines) ExpectPicture(line.picture, 760, 40);
  for (const RefusalLine& line : kRefusalLines)
    ExpectPicture(line.picture, kRefusalLineWidth, kRefusalLineHeight);
  for (const char* name : kChargePictures) ExpectPicture(name, 50, 50);
  for (const char* name : kLevelNamePictures) ExpectPicture(name, 400, 48);
}

TEST(Assets, CreatureStripsAnimateOverFourFilledFrames) {
  const char* const strips[] = {"PlayerMove", "FIRERAT", "WATERRAT", "TIRE", "BULB", "FIREBALL", "Electri"};
  for (const char* name : strips) {
    SCOPED_TRACE(name);
    Loaded p(std::string("Assets/") + name + ".png");
    ASSERT_TRUE(p.ok);
    for (int f = 0; f < 4; ++f) {
      EXPECT_GT(OpaquePixels(p, f * 40, 0, 40, 40), 200) << "frame " << f << " is nearly empty";
      EXPECT_FALSE(SameRegion(p, f * 40, (f + 1) % 4 * 40, 40, 40)) << "frame " << f << " does not move";
    }
  }
}

// Nothing touches a frame's edge, where it would be cut off (and where smoothing
// picks up the neighbouring frame). The icons drawn over a monster's head leave their
// bottom third clear: the icon's centre is 25 above the monster's, half a monster high.
TEST(Assets, SpritesLeaveTheirMarginsClear) {
  struct Margin {
    const char* path;
    int frames, left, top, right, bottom;
  } cases[] = {
      {"Assets/PlayerMove.png", 4, 2, 2, 2, 2}, {"Assets/PlayerStatic.png", 4, 2, 2, 2, 2},
      {"Assets/FIRERAT.png", 4, 2, 2, 2, 2},    {"Assets/WATERRAT.png", 4, 2, 2, 2, 2},
      {"Assets/TIRE.png", 4, 2, 2, 2, 2},       {"Assets/BULB.png", 4, 2, 2, 2, 2},
      {"Assets/FIREBALL.png", 4, 2, 2, 2, 2},   {"Assets/Electri.png", 4, 2, 2, 2, 2},
      {"Assets/Alert.png", 1, 0, 0, 0, 10},     {"Assets/Scaning.png", 1, 0, 0, 0, 10},
  };
  for (const Margin& m : cases) {
    SCOPED_TRACE(m.path);
    Loaded p(m.path);
    ASSERT_TRUE(p.ok);
    const int w = p.image.width / m.frames, h = p.image.height;
    for (int f = 0; f < m.frames; ++f) {
      int touching = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (x < m.left || y < m.top || x >= w - m.right || y >= h - m.bottom)
            touching += p.Alpha(f * w + x, y) > 0;
      EXPECT_EQ(touching, 0) << "frame " << f;
    }
  }
}

// The window's icon and the desktop's at every size leave a sixteenth clear on each side,
// as icon themes expect, and the tile fills the rest up to that margin.
TEST(Assets, IconsKeepTheDesktopMargin) {
  std::vector<std::string> paths = {"Assets/icon.png"};
  for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
    const std::string side = std::to_string(size);
    paths.push_back("../packaging/icons/hicolor/" + side + "x" + side +
                    "/apps/org.vantrel.Vantrel.png");
  }
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    Loaded p(path);
    ASSERT_TRUE(p.ok);
    const int size = p.image.width, margin = size / 16;
    int inMargin = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        if (std::min({x, y, size - 1 - x, size - 1 - y}) < margin) inMargin += p.Alpha(x, y) > 0;
    EXPECT_EQ(inMargin, 0);
    EXPECT_GT(p.Alpha(margin + 1, size / 2), 128);
    EXPECT_GT(p.Alpha(size / 2, size - margin - 2), 128);
  }
}

TEST(Assets, ConesWidenFromTheMiddleOfTheLeftEdge) {
  Loaded player("Assets/playerLOS.png"), monster("Assets/monsterLOS.png");
  for (const Loaded* p : {&player, &monster}) {
    ASSERT_TRUE(p->ok);
    const int w = p->image.width, h = p->image.height;
    EXPECT_GT(p->Alpha(1, h / 2), 0);
    EXPECT_EQ(p->Alpha(1, 2), 0);
    EXPECT_EQ(p->Alpha(1, h - 3), 0);
    EXPECT_GT(p->Alpha(w - 1, 3), 0);
    EXPECT_GT(p->Alpha(w - 1, h - 4), 0);
    // Translucent: the world must show through.
    EXPECT_LT(p->Alpha(w / 2, h / 2), 200);
  }
  EXPECT_FALSE(std::equal(player.At(60, 30), player.At(60, 30) + 3, monster.At(60, 30)));
}

TEST(Assets, ButtonStatesDifferAndLeaveTheOverlapClear) {
  for (const Picture& b : kButtons) {
    SCOPED_TRACE(b.path);
    Loaded idle(ButtonPath("idle", b.path)), hover(ButtonPath("hover", b.path)),
        clicked(ButtonPath("clicked", b.path));
    ASSERT_TRUE(idle.ok && hover.ok && clicked.ok);
    // Clearly different: the middle of the plates differs in average colour.
    const Rgb a = MeanRgb(idle, b.width, b.height), h = MeanRgb(hover, b.width, b.height),
              k = MeanRgb(clicked, b.width, b.height);
    EXPECT_GT(Distance(a, h), 40);
    EXPECT_GT(Distance(a, k), 40);
    EXPECT_GT(Distance(h, k), 40);
    // Stacked menu buttons overlap their neighbours by up to 20 pixels top and bottom;
    // the small square ones sit in a row and fill their picture.
    if (b.height <= 50) continue;
    for (const Loaded* p : {&idle, &hover, &clicked}) {
      EXPECT_EQ(OpaquePixels(*p, 0, 0, b.width, 6), 0);
      EXPECT_EQ(OpaquePixels(*p, 0, b.height - 6, b.width, 6), 0);
    }
  }
}

TEST(Assets, OverlaysAreMostlySeeThrough) {
  Loaded text("Assets/PauseText.png");
  ASSERT_TRUE(text.ok);
  EXPECT_LT(OpaquePixels(text, 0, 0, 800, 600), 800 * 600 / 20);
  // Where the pause buttons sit stays clear.
  EXPECT_EQ(OpaquePixels(text, 300, 200, 200, 330), 0);
  int previous = 0;
  for (const char* name : {"Assets/flash1.png", "Assets/flash2.png", "Assets/Flash3.png"}) {
    SCOPED_TRACE(name);
    Loaded f(name);
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.At(400, 300)[0], 255);
    EXPECT_GT(f.Alpha(400, 300), previous) << "the flash must get stronger";
    previous = f.Alpha(400, 300);
  }
}

// Contrast ratio of two sRGB colours (0 to 1 per channel), as readability guides define it.
double Luminance(const double rgb[3]) {
  double l[3];
  for (int i = 0; i < 3; ++i)
    l[i] = rgb[i] <= 0.04045 ? rgb[i] / 12.92 : std::pow((rgb[i] + 0.055) / 1.055, 2.4);
  return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
}

// Blends one picture pixel over the screen the way the game's sprites are drawn.
void Over(double screen[3], const unsigned char* pixel, double transparency) {
  const double a = pixel[3] / 255.0 * transparency;
  for (int i = 0; i < 3; ++i) screen[i] = pixel[i] / 255.0 * a + screen[i] * (1 - a);
}

// The confirmation panels composed as the screens draw them: the level's over its
// half-transparent pause screen and the pause words, the main menu's over the menu. The
// brightest twentieth of each line of words is the lettering, the median its panel.
TEST(Assets, ConfirmationWordsStandOutFromTheirPanels) {
  struct Case {
    const char* panel;
    bool overPause;
  } cases[] = {{"Assets/confirmationscreen.png", true}, {"Assets/confirmation_quitgame.png", false}};
  // The question and the line under it: rows of the panel, 280 pixels wide around its middle.
  const int lines[2][2] = {{78, 102}, {116, 132}};
  Loaded pause("Assets/PauseScreen.png"), words("Assets/PauseText.png");
  ASSERT_TRUE(pause.ok && words.ok);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.panel);
    Loaded panel(c.panel);
    ASSERT_TRUE(panel.ok);
    const int w = panel.image.width, left = 400 - w / 2, top = 300 - panel.image.height / 2;
    for (const auto& rows : lines) {
      std::vector<double> lum;
      for (int y = rows[0]; y < rows[1]; ++y)
        for (int x = w / 2 - 140; x < w / 2 + 140; ++x) {
          double screen[3] = {0.5, 0.5, 0.5};
          if (c.overPause) {
            Over(screen, pause.At(left + x, top + y), 0.5);
            Over(screen, words.At(left + x, top + y), 1.0);
          }
          Over(screen, panel.At(x, y), 1.0);
          lum.push_back(Luminance(screen));
        }
      std::sort(lum.begin(), lum.end());
      const double text = lum[lum.size() * 95 / 100], back = lum[lum.size() / 2];
      EXPECT_GE((text + 0.05) / (back + 0.05), 4.5) << "rows " << rows[0] << " to " << rows[1];
    }
  }
}

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
  long fileBytes = 0;
};

uint32_t Le(const std::vector<unsigned char>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
  return v;
}

// Reads a RIFF/WAVE file chunk by chunk, to look at what the audio service hides.
bool ReadWav(const std::string& path, Wav* wav) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::vector<unsigned char> d;
  unsigned char buf[65536];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) d.insert(d.end(), buf, buf + n);
  std::fclose(f);
  wav->fileBytes = long(d.size());
  if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
      std::string(d.begin() + 8, d.begin() + 12) != "WAVE" || Le(d, 4, 4) + 8 != d.size())
    return false;
  bool haveFormat = false, haveData = false;
  for (size_t at = 12; at + 8 <= d.size();) {
    std::string id(d.begin() + at, d.begin() + at + 4);
    size_t size = Le(d, at + 4, 4), body = at + 8;
    if (body + size > d.size()) return false;
    if (id == "fmt " && size >= 16) {
      wav->format = int(Le(d, body, 2));
      wav->channels = int(Le(d, body + 2, 2));
      wav->rate = int(Le(d, body + 4, 4));
      wav->bits = int(Le(d, body + 14, 2));
      haveFormat = true;
    } else if (id == "data") {
      for (size_t i = 0; i + 1 < size; i += 2) wav->samples.push_back(int16_t(Le(d, body + i, 2)));
      haveData = true;
    }
    at = body + size + (size & 1);
  }
  return haveFormat && haveData;
}

TEST(Assets, SoundsArePcmAndLoopsJoinWithoutAClick) {
  long total = 0;
  for (const char* name : {"Assets/opening.wav", "Assets/Eeriewind.wav", "Assets/levelbgm.wav",
                           "Assets/camsound.wav"}) {
    SCOPED_TRACE(name);
    Wav wav;
    ASSERT_TRUE(ReadWav(name, &wav));
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_GE(wav.rate, 22050);
    total += wav.fileBytes;
    const double seconds = double(wav.samples.size()) / wav.rate;
    if (std::string(name) == "Assets/camsound.wav") {
      EXPECT_LT(seconds, 0.5);
      continue;
    }
    EXPECT_GT(seconds, 8.0);
    // The step from the last sample back to the first must be an ordinary one:
    // no larger than 99% of the steps inside the loop.
    std::vector<int> steps;
    for (size_t i = 1; i < wav.samples.size(); ++i)
      steps.push_back(std::abs(wav.samples[i] - wav.samples[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    EXPECT_LE(std::abs(wav.samples.front() - wav.samples.back()), steps[steps.size() * 99 / 100]);
  }
  EXPECT_LT(total, 10L * 1024 * 1024);
}

TEST(Assets, SoundsLoadThroughTheAudioService) {
  AudioService& audio = AudioService::Get();
  ASSERT_TRUE(audio.HasDevice()) << "run with SDL_AUDIODRIVER=dummy";
  for (const char* name : {"Assets/opening.wav", "Assets/Eeriewind.wav", "Assets/levelbgm.wav"}) {
    MusicHandle music = audio.LoadMusic(name);
    EXPECT_TRUE(music) << name;
    audio.ReleaseMusic(music);
  }
  EffectHandle shutter = audio.LoadEffect("Assets/camsound.wav");
  EXPECT_TRUE(shutter);
  audio.ReleaseEffect(shutter);
}

}  // namespace
