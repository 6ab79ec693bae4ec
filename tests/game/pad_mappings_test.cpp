// The time a pad mapping file costs the start, with the real SDL behind it, and a pipe in its
// place, are tried on the real game by the close test.
#include "PadMappings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> gHanded;

// Stands in for the engine: "other" lines are for another system, "bad" ones refused.
int Take(const char* line) {
  gHanded.push_back(line);
  const std::string text = line;
  return text.compare(0, 5, "other") == 0 ? 0 : text.compare(0, 3, "bad") == 0 ? -1 : 1;
}

TEST(PadMappings, LinesAreHandedOnWithinBoundsAndEachProblemToldInOneLine) {
  char folder[] = "/tmp/vantrel_pads_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/gamecontrollerdb.txt";
  const struct {
    std::string text;
    size_t paddedTo;                  // with zeros; 0 for no padding
    std::vector<std::string> handed;  // empty: check only how many
    int taken;
    std::string said;  // after "Pad mappings in PATH: "
  } cases[] = {
      {"# mappings\r\n\r\none,platform:Linux,\r\n  # indented\nother\nbad line\n\t\nbad\ntwo\n",
       0,
       {"one,platform:Linux,", "other", "bad line", "bad", "two"},
       2,
       "2 lines are not a mapping and skipped, the first line 6: \"bad line\""},
      // Far more than are taken, one in three for this system.
      {[] {
         std::string many;
         for (int i = 0; i < 3 * kPadMappingsMaxTaken + 30; ++i)
           many += (i % 3 ? "other " : "mapping ") + std::to_string(i) + "\n";
         return many;
       }(),
       0,
       {},
       kPadMappingsMaxTaken,
       "only the first 3000 mappings for this system are used"},
      // 100 MB with two mappings first: only whole lines of the first 2 MB are read.
      {"one\ntwo\n" + std::string(kPadMappingsMaxBytes, 'x') + "\nthree\n",
       100 << 20,
       {"one", "two"},
       2,
       "the file is larger than 2 MB; only the mappings in its first 2 MB are used"},
  };
  for (const auto& c : cases) {
    std::ofstream(path) << c.text;
    if (c.paddedTo) fs::resize_file(path, c.paddedTo);
    gHanded.clear();
    testing::internal::CaptureStderr();
    EXPECT_EQ(AddPadMappings(path, Take), c.taken);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Pad mappings in " + path + ": " + c.said + "\n");
    if (!c.handed.empty()) {
      EXPECT_EQ(gHanded, c.handed);
    }
    fs::remove(path);
  }
  EXPECT_EQ(AddPadMappings(path, Take), 0) << "no file is no news";
  fs::remove_all(folder);
}

}  // namespace
