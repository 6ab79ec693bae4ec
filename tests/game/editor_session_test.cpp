#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "EditorSession.h"

namespace fs = std::filesystem;

namespace {

class EditorSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/vantrel_session_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home = folder;
    setenv("XDG_DATA_HOME", folder, 1);
    levels = home + "/vantrel/levels";
    fs::create_directories(levels);
    fs::create_directories(home + "/elsewhere");
  }
  void TearDown() override { fs::remove_all(home); }
  void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

  std::string home, levels;
};

TEST_F(EditorSessionTest, OnlyTheLevelsFolderOrTheCommandLineIsSavedInPlace) {
  const std::string level = WriteLevel(EditorDocument::NewLevel("Mine"));
  Write(levels + "/mine.txt", level);
  Write(home + "/elsewhere/game.txt", level);
  Write(home + "/elsewhere/junk.txt", "\x01\x02 not a level");
  struct Case {
    std::string path;
    bool inPlace;
    std::string savedAt;  // empty: SAVE asks for a name
  };
  const Case cases[] = {
      {levels + "/mine.txt", false, levels + "/mine.txt"},
      {levels + "/../levels/mine.txt", false, levels + "/../levels/mine.txt"},
      {levels + "/new.txt", false, levels + "/new.txt"},
      {home + "/elsewhere/game.txt", false, ""},
      {home + "/elsewhere/game.txt", true, home + "/elsewhere/game.txt"},
      {home + "/elsewhere/new.txt", true, home + "/elsewhere/new.txt"},
      // What could not be read at all is never written over.
      {home + "/elsewhere/junk.txt", true, ""},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    const EditorSession session = OpenEditorSession(c.path, c.inPlace);
    EXPECT_EQ(session.savePath, c.savedAt) << c.path << (c.inPlace ? " in place" : "");
  }
  EXPECT_EQ(OpenEditorSession(levels + "/new.txt", false).document.level().name, "new");
  EXPECT_EQ(OpenEditorSession(levels + "/mine.txt", false).document.level().name, "Mine");
}

TEST_F(EditorSessionTest, SaveAsNeverReplacesAnotherLevel) {
  Write(levels + "/Taken.txt", WriteLevel(EditorDocument::NewLevel("Taken")));
  EditorSession session = OpenEditorSession(home + "/elsewhere/game.txt", false);
  std::string why;
  EXPECT_EQ(SaveAsPath(session, "Taken", &why), "");
  EXPECT_NE(why.find("already"), std::string::npos) << why;
  EXPECT_EQ(SaveAsPath(session, "../Taken", &why), "");
  const std::string fresh = SaveAsPath(session, "Fresh", &why);
  EXPECT_EQ(fresh, levels + "/Fresh.txt");
  ASSERT_TRUE(SaveEditorSession(session, fresh)) << session.message;
  // Saved again under its own name, it replaces itself.
  EXPECT_EQ(SaveAsPath(session, "Fresh", &why), fresh) << why;
  EXPECT_FALSE(session.document.Changed());
}

}  // namespace
