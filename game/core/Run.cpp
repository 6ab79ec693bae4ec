#include "Run.h"

#include <cmath>

namespace {

constexpr int kFreeWalk = 9;
constexpr int kSpeedRecord = 15;
constexpr float kTwoPi = 6.28318530718f;

// The walk keys' eight directions, anticlockwise from east, as the keys give them.
constexpr KEVec2 kKeyWalks[8] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                 {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};

int TurnStep(float radians) {
  const int step = int(std::lround(radians / kTwoPi * kTurnSteps));
  return ((step % kTurnSteps) + kTurnSteps) % kTurnSteps;
}

// From -pi to pi, as atan2 gives them.
float Radians(int step) {
  return float(step > kTurnSteps / 2 ? step - kTurnSteps : step) * kTwoPi / kTurnSteps;
}

KEVec2 Direction(int step) {
  const float a = Radians(step);
  return {std::cos(a), std::sin(a)};
}

int WalkCode(KEVec2 walk) {
  if (walk.x == 0 && walk.y == 0) return 0;
  for (int i = 0; i < 8; ++i)
    if (walk.x == kKeyWalks[i].x && walk.y == kKeyWalks[i].y) return i + 1;
  return kFreeWalk;
}

void PutVarint(std::vector<uint8_t>* out, uint32_t value) {
  while (value >= 0x80) {
    out->push_back(uint8_t(value | 0x80));
    value >>= 7;
  }
  out->push_back(uint8_t(value));
}

uint32_t Zigzag(int value) { return (uint32_t(value) << 1) ^ uint32_t(value >> 31); }
int Unzigzag(uint32_t value) { return int(value >> 1) ^ -int(value & 1); }

// At most five bytes; false at the end of the bytes or on a longer one.
bool GetVarint(const std::vector<uint8_t>& in, size_t* at, uint32_t* value) {
  *value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    if (*at >= in.size()) return false;
    const uint8_t byte = in[(*at)++];
    *value |= uint32_t(byte & 0x7F) << shift;
    if (!(byte & 0x80)) return true;
  }
  return false;
}

// The facing's change the short way round, from -kTurnSteps/2 to under kTurnSteps/2.
int FacingChange(int from, int to) {
  int change = (to - from) % kTurnSteps;
  if (change >= kTurnSteps / 2) change -= kTurnSteps;
  if (change < -kTurnSteps / 2) change += kTurnSteps;
  return change;
}

int PathUnits(float coordinate) { return int(std::lround(coordinate / kPathUnit)); }

}  // namespace

bool PlayerControls::operator==(const PlayerControls& o) const {
  return walk.x == o.walk.x && walk.y == o.walk.y && facing == o.facing &&
         photograph == o.photograph && disguise == o.disguise && endDisguise == o.endDisguise &&
         ghostToggle == o.ghostToggle;
}

float QuantizedFacing(float radians) {
  return std::isfinite(radians) ? Radians(TurnStep(radians)) : 0.0f;
}

KEVec2 QuantizedWalk(KEVec2 walk) {
  if (!std::isfinite(walk.x) || !std::isfinite(walk.y)) return {0, 0};
  if (WalkCode(walk) != kFreeWalk) return walk;
  return Direction(TurnStep(std::atan2(walk.y, walk.x)));
}

void RunRecorder::Start(uint32_t checksum, int speed, KEVec2 start) {
  run_ = RecordedRun();
  run_.checksum = checksum;
  run_.version = VANTREL_VERSION;
  run_.speed = speedNow_ = speed;
  last_ = PlayerControls();
  lastCount_ = 0;
  lastFacing_ = 0;
  placeX_ = placeY_ = 0;
  run_.path.clear();
  const int x = PathUnits(start.x), y = PathUnits(start.y);
  PutVarint(&run_.path, Zigzag(x));
  PutVarint(&run_.path, Zigzag(y));
  placeX_ = x;
  placeY_ = y;
  placesKept_ = 1;
}

void RunRecorder::Flush(std::vector<uint8_t>* out) const {
  if (lastCount_ == 0) return;
  PutVarint(out, lastCount_);
  const int code = WalkCode(last_.walk);
  out->push_back(uint8_t(code | last_.photograph << 4 | last_.disguise << 5 |
                         last_.endDisguise << 6 | last_.ghostToggle << 7));
  if (code == kFreeWalk) {
    const int turn = TurnStep(std::atan2(last_.walk.y, last_.walk.x));
    out->push_back(uint8_t(turn & 0xFF));
    out->push_back(uint8_t(turn >> 8));
  }
}

void RunRecorder::Step(const PlayerControls& controls, int speed) {
  // A record is written once the step after it differs, so the last one waits in last_.
  if (speed != speedNow_ || (lastCount_ > 0 && controls != last_)) {
    Flush(&run_.inputs);
    if (lastCount_ > 0) {
      const int facing = TurnStep(last_.facing);
      PutVarint(&run_.inputs, Zigzag(FacingChange(lastFacing_, facing)));
      lastFacing_ = facing;
    }
    lastCount_ = 0;
  }
  if (speed != speedNow_) {
    PutVarint(&run_.inputs, uint32_t(speed));
    run_.inputs.push_back(kSpeedRecord);
    speedNow_ = speed;
  }
  last_ = controls;
  lastCount_ += 1;
  run_.steps += 1;
}

void RunRecorder::Place(KEVec2 place) {
  const size_t samples = run_.steps / kPathEvery + 1;
  if (run_.steps % kPathEvery == 0 && placesKept_ < samples) {
    placesKept_ = samples;
    const int x = PathUnits(place.x), y = PathUnits(place.y);
    PutVarint(&run_.path, Zigzag(x - placeX_));
    PutVarint(&run_.path, Zigzag(y - placeY_));
    placeX_ = x;
    placeY_ = y;
  }
}

RecordedRun RunRecorder::Finish(double seconds) const {
  RecordedRun run = run_;
  run.seconds = seconds;
  Flush(&run.inputs);
  if (lastCount_ > 0)
    PutVarint(&run.inputs, Zigzag(FacingChange(lastFacing_, TurnStep(last_.facing))));
  return run;
}

RunReader::RunReader(const RecordedRun& run) : run_(&run), speed_(run.speed) {
  // Speed records before the first step already hold for it.
  if (!Done()) damaged_ = !ReadRecord();
}

bool RunReader::ReadRecord() {
  const std::vector<uint8_t>& in = run_->inputs;
  for (;;) {
    uint32_t count = 0;
    if (!GetVarint(in, &at_, &count) || at_ >= in.size()) return false;
    const uint8_t flags = in[at_++];
    const int code = flags & 0x0F;
    if (code == kSpeedRecord) {
      if (count < 1 || count > 100) return false;
      speed_ = int(count);
      continue;
    }
    if (count == 0 || code > kFreeWalk) return false;
    PlayerControls controls;
    if (code == kFreeWalk) {
      if (at_ + 2 > in.size()) return false;
      const int turn = in[at_] | in[at_ + 1] << 8;
      at_ += 2;
      if (turn >= kTurnSteps) return false;
      controls.walk = Direction(turn);
    } else if (code > 0) {
      controls.walk = kKeyWalks[code - 1];
    }
    controls.photograph = flags & 0x10;
    controls.disguise = flags & 0x20;
    controls.endDisguise = flags & 0x40;
    controls.ghostToggle = flags & 0x80;
    uint32_t change = 0;
    if (!GetVarint(in, &at_, &change)) return false;
    const int delta = Unzigzag(change);
    if (delta < -kTurnSteps / 2 || delta >= kTurnSteps / 2) return false;
    facing_ = ((facing_ + delta) % kTurnSteps + kTurnSteps) % kTurnSteps;
    controls.facing = Radians(facing_);
    current_ = controls;
    left_ = count;
    return true;
  }
}

PlayerControls RunReader::Next() {
  if (Done() || damaged_) return PlayerControls();
  const PlayerControls controls = current_;
  stepsRead_ += 1;
  left_ -= 1;
  // A speed change after this step is read now, so that Speed() holds for the next one.
  if (left_ == 0 && !Done()) damaged_ = !ReadRecord();
  return controls;
}

bool ReadRunPath(const RecordedRun& run, std::vector<KEVec2>* places) {
  places->clear();
  const size_t samples = run.steps / kPathEvery + 1;
  places->reserve(samples);
  size_t at = 0;
  long x = 0, y = 0;
  for (size_t i = 0; i < samples; ++i) {
    uint32_t dx = 0, dy = 0;
    if (!GetVarint(run.path, &at, &dx) || !GetVarint(run.path, &at, &dy)) return false;
    x += Unzigzag(dx);
    y += Unzigzag(dy);
    // Far beyond the largest map: no place a player stood.
    if (std::labs(x) > (1l << 24) || std::labs(y) > (1l << 24)) return false;
    places->push_back({float(x) * kPathUnit, float(y) * kPathUnit});
  }
  return at == run.path.size();
}

std::vector<PlayerControls> ReadAllControls(const RecordedRun& run) {
  std::vector<PlayerControls> steps;
  RunReader reader(run);
  while (!reader.Done() && !reader.Damaged()) steps.push_back(reader.Next());
  return steps;
}

void WriteAllControls(const std::vector<PlayerControls>& steps, RecordedRun* run) {
  RunRecorder recorder;
  recorder.Start(run->checksum, run->speed, {0, 0});
  for (const PlayerControls& controls : steps) recorder.Step(controls, run->speed);
  run->inputs = recorder.Finish(0).inputs;
  run->steps = uint32_t(steps.size());
}
