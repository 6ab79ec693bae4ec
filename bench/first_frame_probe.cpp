// Preloaded into the game by bench_level_frame to time its start: on the first buffer swap
// it prints the monotonic clock and the peak resident memory so far, then ends the process.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long PeakResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
  }
  std::fclose(status);
  return kb;
}

}  // namespace

// The window argument is passed on untouched; its type is the library's business.
extern "C" void SDL_GL_SwapWindow(void* window) {
  using Swap = void (*)(void*);
  static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  if (real) real(window);
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("\nfirst-frame %lld.%09ld peak-kb %ld\n", static_cast<long long>(now.tv_sec),
              now.tv_nsec, PeakResidentKb());
  std::fflush(stdout);
  _exit(0);
}
