// vantrel-assetgen: draws every picture and synthesises every sound of the game.
// Usage: vantrel-assetgen ASSETS_DIR [CONTACT_SHEET.png [MOCKUP_DIR]]
//        vantrel-assetgen --icons ICONS_DIR
// The mockups are whole screens composed as the game shows them, at full size, for review.
// The icons are the desktop's, in ICONS_DIR/hicolor.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <cstdio>
#include <exception>

#include "generators.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--icons") {
    if (WriteDesktopIcons(argv[2])) return 0;
    std::fprintf(stderr, "cannot write the icons into %s\n", argv[2]);
    return 1;
  }
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr,
                 "usage: %s ASSETS_DIR [CONTACT_SHEET.png [MOCKUP_DIR]]\n"
                 "       %s --icons ICONS_DIR\n",
                 argv[0], argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  mkdir(dir.c_str(), 0755);
  mkdir((dir + "/UI").c_str(), 0755);
  try {
    AssetSet set;
    MakeTiles(set);
    MakeCreatures(set);
    MakeHud(set);
    MakeButtons(set);
    MakeBadges(set);
    MakeOutcomes(set);
    MakeScreens(set);
    for (const auto& item : set.All()) {
      if (!WritePng(dir + "/" + item.first, item.second)) {
        std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), item.first.c_str());
        return 1;
      }
    }
    long soundBytes = MakeSounds(dir);
    if (soundBytes < 0) return 1;
    std::printf("%zu pictures, sounds %.2f MB\n", set.All().size(), soundBytes / 1048576.0);
    if (argc >= 3 && !WritePng(argv[2], MakeContactSheet(set))) {
      std::fprintf(stderr, "cannot write %s\n", argv[2]);
      return 1;
    }
    if (argc == 4) {
      mkdir(argv[3], 0755);
      for (const auto& m : MakeMockups(set)) WritePng(std::string(argv[3]) + "/" + m.first + ".png", m.second);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  // Lets a leak checker see only our own allocations.
  cairo_debug_reset_static_data();
  FcFini();
  return 0;
}
