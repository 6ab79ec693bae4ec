// Any bytes given to the sandbox's cast reader: it must not crash or hang, and every cast
// member it keeps must be one the level can place.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "SandboxLevel.h"
#include "fuzz_main.h"

namespace {
bool Finite(KEVec2 v) { return std::isfinite(v.x) && std::isfinite(v.y); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const Cast cast = ReadCast(in, "fuzz.txt");
  if (!Finite(cast.playerStart)) __builtin_trap();
  for (const CastMember& member : cast.monsters) {
    if (member.kind < 0 || member.kind > 4 || !Finite(member.start)) __builtin_trap();
    const double pause = member.pause.value_or(0);
    if (!std::isfinite(member.rotation.value_or(0)) || !(pause >= 0) || !std::isfinite(pause))
      __builtin_trap();
    for (KEVec2 point : member.route)
      if (!Finite(point)) __builtin_trap();
  }
  return 0;
}
