// The pictures the result screen and the level select put together at run time, shared
// with the art generator that draws them.
#pragma once

// Each level's name as a title, in the order of kLevelNames.
constexpr const char* kLevelNamePictures[] = {
    "Assets/UI/LevelName1.png", "Assets/UI/LevelName2.png", "Assets/UI/LevelName3.png",
    "Assets/UI/LevelName4.png", "Assets/UI/LevelName5.png", "Assets/UI/LevelName6.png",
    "Assets/UI/LevelName7.png", "Assets/UI/LevelName8.png"};

// One strip of equal cells, a glyph centred in each, in this order.
constexpr char kTimeGlyphs[] = "0123456789:.";
constexpr int kTimeGlyphCount = sizeof kTimeGlyphs - 1;
constexpr const char kTimeGlyphsPicture[] = "Assets/UI/TimeGlyphs.png";
constexpr int kTimeGlyphWidth = 26;
constexpr int kTimeGlyphHeight = 36;

constexpr const char kTimeLabelPicture[] = "Assets/UI/Result_Time.png";
constexpr const char kBestLabelPicture[] = "Assets/UI/Result_Best.png";
constexpr const char kNewBestPicture[] = "Assets/UI/Result_NewBest.png";
constexpr const char kNoPhotosPicture[] = "Assets/UI/Result_NoPhotos.png";
constexpr const char kBestTimePlatePicture[] = "Assets/UI/BestTimePlate.png";
constexpr int kBestTimePlateWidth = 84, kBestTimePlateHeight = 24;
