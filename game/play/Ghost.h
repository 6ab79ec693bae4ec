// The level's best run walking beside the player: a translucent figure that takes the run's
// step with every world step of the try, facing as the run faced. It is no object of the
// world, so nothing collides with it and no monster sees it.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "KEMath.h"
#include "Run.h"
#include "Sprite.h"

class Ghost {
 public:
  // Takes `run` to walk, from its first step; nothing when it is null.
  void Load(std::shared_ptr<const RecordedRun> run);
  void Forget();
  bool Walking() const { return run_ && step_ < run_->steps; }
  // One world step of the try: the ghost's own step.
  void Step();
  void Draw() const;
  // Where it stands after the steps taken so far (between the path's samples, on the line).
  KEVec2 Place() const;
  uint32_t StepsTaken() const { return step_; }
  // The run's time, to tell the player how far ahead or behind it they reached the exit.
  double Seconds() const { return run_ ? run_->seconds : 0; }
  bool HasRun() const { return run_ != nullptr; }

 private:
  std::shared_ptr<const RecordedRun> run_;
  std::optional<RunReader> reader_;
  std::vector<KEVec2> path_;
  uint32_t step_ = 0;
  float facing_ = 0;
  Sprite figure_;
};
