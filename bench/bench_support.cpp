#include "bench_support.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "GameState.h"
#include "KESystem.h"
#include "Monster.h"
#include "ObjectManager.h"
#include "platform/KEPlatform.h"

extern char** environ;

namespace {

long gNews = 0;

}  // namespace

// Every operator new of the program the benches count in.
void* operator new(std::size_t size) {
  ++gNews;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

long Allocations() { return gNews; }

double ProcessCpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return 1e3 * double(t.tv_sec) + 1e-6 * double(t.tv_nsec);
}

void OrderChase() {
  for (const GameObjectPtr& object : gObjectManager.objects) {
    auto* monster = dynamic_cast<Monster*>(object.get());
    if (!monster) continue;
    monster->state = Chase;
    monster->phase = Run;
    monster->onRoute = false;
    monster->alertShown = true;
    monster->scanShown = false;
    monster->chaseDeadline = float(GameStateManager.worldTime + 5.0);
    monster->ChasePlayer();
  }
}

std::string Output(const std::vector<std::string>& words, const std::string& preload) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.push_back(*e);
  if (!preload.empty()) env.push_back("LD_PRELOAD=" + preload);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(&e[0]);
  envp.push_back(nullptr);

  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t child = 0;
  const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; !failed && (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, size_t(n));
  close(pipeEnds[0]);
  if (!failed) waitpid(child, nullptr, 0);
  return text;
}

long PeakKb() {
  long kb = -1;
  if (FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
    std::fclose(status);
  }
  return kb;
}

// The resize is asynchronous on X: frames are swapped until the drawable has its new size.
bool SetFullScreen(bool on) {
  KEToogleFullScreen(on);
  int wantWidth = 800, wantHeight = 600;
  if (on) KEPlatformGetScreenSize(&wantWidth, &wantHeight);
  for (int attempt = 0; attempt < 200; ++attempt) {
    int width = 0, height = 0;
    KEPlatformGetDrawableSize(&width, &height);
    if (width == wantWidth && height == wantHeight && attempt > 2) return true;
    KEPlatformSwapBuffers();
    KESysUpdate();
  }
  std::printf("the drawable never reached %dx%d\n", wantWidth, wantHeight);
  return false;
}
