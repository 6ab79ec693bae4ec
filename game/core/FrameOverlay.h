// F3 frame-time overlay: frames per second and the last second's mean and worst frame,
// update and draw times in the view's top-left corner, over every state. Players and
// testers read it to report slow machines.
#pragma once

#include <string>
#include <vector>

// One second of frames, summed up; times in seconds.
class FrameTimeStats {
 public:
  struct Spread {
    double mean = 0, worst = 0;
  };
  struct Summary {
    double framesPerSecond = 0;
    Spread frame, update, draw, present;
  };

  // `work` is the frame before it waited for its minimum length; what update and draw leave
  // of it is mostly GL finishing the picture and the buffer swap. The second closes once the
  // frames add up to it; until then the previous one stays shown.
  void Add(double update, double draw, double work, double frame);
  bool HasSummary() const { return hasSummary_; }
  const Summary& Last() const { return last_; }
  void Clear() { *this = FrameTimeStats(); }

 private:
  struct Sum {
    double total = 0, worst = 0;
    void Add(double seconds);
    Spread Over(int frames) const;
  };
  int frames_ = 0;
  Sum frame_, update_, draw_, present_;
  Summary last_;
  bool hasSummary_ = false;
};

// The overlay's lines, milliseconds with two decimals.
std::vector<std::string> FrameOverlayLines(const FrameTimeStats& stats);

// The state loop's hooks. While hidden each one only tests a flag.
void FrameOverlayToggleOnF3();  // after input sampling
bool FrameOverlayIsShown();
void FrameOverlayBeginUpdate();
void FrameOverlayBeginDraw();
void FrameOverlayEndDraw();  // draws the overlay over the state
void FrameOverlayEndFrame(double workSeconds, double frameSeconds);
// Hides the overlay and frees its font; the loop calls it when it ends.
void FrameOverlayReset();
