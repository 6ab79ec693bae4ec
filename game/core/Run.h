// A run is its input: what the level read from the player at each world step, with what
// makes it go the same way again (the level's checksum, the game's version and speed), and
// the player's path, sampled, for a playback to be checked against and for the ghost.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "KEMath.h"

// What the player asks of one world step, as the world reads it.
struct PlayerControls {
  KEVec2 walk = {0, 0};      // the walk direction (y up), only its direction counts; zero standing
  float facing = 0;          // radians, on the grid QuantizedFacing gives
  bool photograph = false;   // pressed on this step
  bool disguise = false;     // held
  bool endDisguise = false;  // held
  bool ghostToggle = false;  // the developer's G, pressed on this step
  bool operator==(const PlayerControls& other) const;
  bool operator!=(const PlayerControls& other) const { return !(*this == other); }
};

// The level hands the controls it reads to the running state once a world step, which
// records them or puts a run's own in their place.
class ControlsFeed {
 public:
  virtual ~ControlsFeed() = default;
  virtual void Feed(PlayerControls* controls) = 0;
};

// Facings and free walking directions come in these steps of a turn, in play as in a run,
// so that a run holds exactly what the world read. The eight directions of the walk keys
// stay exactly as the keys give them.
constexpr int kTurnSteps = 4096;
float QuantizedFacing(float radians);
KEVec2 QuantizedWalk(KEVec2 walk);

// The path keeps the player's place every kPathEvery steps; a playback compares it every
// kCheckEvery steps (a second at full speed).
constexpr int kPathEvery = 4;
constexpr int kCheckEvery = 60;
// Places are kept to an eighth of a unit.
constexpr float kPathUnit = 1.0f / 8;
// A run of more steps than four hours at full speed is not a run the game made.
constexpr uint32_t kMostRunSteps = 4 * 60 * 60 * 60;

struct RecordedRun {
  int level = 0;
  uint32_t checksum = 0;  // of the level as played
  std::string version;    // of the game
  int speed = 100;        // game speed in percent at the first step
  uint32_t steps = 0;
  double seconds = 0;           // the time in play, as the result screen shows it
  std::vector<uint8_t> inputs;  // records of steps, see RunRecorder
  std::vector<uint8_t> path;    // places after steps 0, kPathEvery, 2 kPathEvery, ...
};

// Builds a run's inputs and path a step at a time.
//   inputs: records, each `count` (a varint), `flags` (a byte: bits 0-3 the walk, 0 standing,
//   1-8 the key directions east, north-east, ... south-east anticlockwise, 9 a free direction
//   in two bytes of kTurnSteps after the flags; bit 4 photograph, 5 disguise, 6 end disguise,
//   7 the G toggle), then the facing's change from the record before in kTurnSteps (a
//   zigzag varint): `count` steps alike. A record with walk 15 changes the game speed from
//   the next step: its count is the new speed in percent, no facing follows.
//   path: the place after every kPathEvery-th step, x then y in kPathUnit, each the change
//   from the place before as a zigzag varint.
class RunRecorder {
 public:
  RunRecorder() = default;
  // The level's number is the finisher's to set.
  void Start(uint32_t checksum, int speed, KEVec2 start);
  // One world step: what the world read, at which speed.
  void Step(const PlayerControls& controls, int speed);
  // The player's place after the step just recorded; kept every kPathEvery steps.
  void Place(KEVec2 place);
  // The run so far, with its time.
  RecordedRun Finish(double seconds) const;
  uint32_t Steps() const { return run_.steps; }

 private:
  void Flush(std::vector<uint8_t>* out) const;
  RecordedRun run_;
  PlayerControls last_;
  uint32_t lastCount_ = 0;
  int lastFacing_ = 0;  // the facing of the last record written, in kTurnSteps
  int speedNow_ = 100;
  int placeX_ = 0, placeY_ = 0;
  size_t placesKept_ = 0;
};

// Reads a run's inputs back a step at a time. A run that ReadRun accepted reads to its end.
class RunReader {
 public:
  explicit RunReader(const RecordedRun& run);
  bool Done() const { return stepsRead_ >= run_->steps; }
  // The next step's controls; the speed from Speed() applies to it.
  PlayerControls Next();
  int Speed() const { return speed_; }
  uint32_t StepsRead() const { return stepsRead_; }
  bool Damaged() const { return damaged_; }
  // Every byte read and no step left over in the last record.
  bool AtEnd() const { return at_ == run_->inputs.size() && left_ == 0; }

 private:
  bool ReadRecord();
  const RecordedRun* run_;
  size_t at_ = 0;
  uint32_t left_ = 0;  // steps left in the current record
  PlayerControls current_;
  int facing_ = 0;
  int speed_;
  uint32_t stepsRead_ = 0;
  bool damaged_ = false;
};

// The places of a run's path, in order; false when the bytes do not hold exactly the
// samples its steps need.
bool ReadRunPath(const RecordedRun& run, std::vector<KEVec2>* places);

// Every step's controls, then the inputs made again from them: for checking a run, and for
// tests that change one step.
std::vector<PlayerControls> ReadAllControls(const RecordedRun& run);
void WriteAllControls(const std::vector<PlayerControls>& steps, RecordedRun* run);
