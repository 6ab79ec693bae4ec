// Pictures that name the keys to press come twice: as the keyboard and mouse's and as the
// pad's. Shared with the art generator that draws them.
#pragma once

struct PromptPictures {
  const char* keyboard;
  const char* pad;
};

constexpr PromptPictures kInstructionPictures = {"Assets/Instruction.png",
                                                 "Assets/Instruction_pad.png"};
constexpr PromptPictures kPausedInstructionPictures = {"Assets/InstructionPaused.png",
                                                       "Assets/InstructionPaused_pad.png"};
// Under "GAME OVER", and under the result screen's photos.
constexpr PromptPictures kTryAgainPictures = {"Assets/UI/Hint_TryAgain.png",
                                              "Assets/UI/Hint_TryAgain_pad.png"};
constexpr PromptPictures kContinuePictures = {"Assets/UI/Hint_Continue.png",
                                              "Assets/UI/Hint_Continue_pad.png"};
constexpr int kHintWidth = 480, kHintHeight = 40;
// The line along the overview's foot: how to start play and how to see the map again; in
// play, how to go back to it.
constexpr PromptPictures kOverviewKeyPictures = {"Assets/UI/OverviewKeys.png",
                                                 "Assets/UI/OverviewKeys_pad.png"};
constexpr PromptPictures kOverviewInPlayKeyPictures = {"Assets/UI/OverviewKeysInPlay.png",
                                                       "Assets/UI/OverviewKeysInPlay_pad.png"};
constexpr int kOverviewKeysWidth = 800, kOverviewKeysHeight = 34;
