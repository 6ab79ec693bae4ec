#include "EditorSession.h"

#include <filesystem>
#include <system_error>

#include "LevelCheck.h"
#include "Progress.h"

namespace fs = std::filesystem;

namespace {

EditorSession* gSession = nullptr;

bool InFolder(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  const fs::path parent = fs::weakly_canonical(fs::absolute(path, error).parent_path(), error);
  return !error && parent == fs::weakly_canonical(folder, error);
}

}  // namespace

EditorSession OpenEditorSession(const std::string& path, bool inPlace) {
  EditorSession session;
  const std::string stem = fs::path(path).stem().string();
  Level level;
  std::vector<std::string> problems;
  std::error_code error;
  const bool there = !path.empty() && fs::exists(path, error);
  if (there && ReadLevelFile(path, &level, &problems)) {
    session.document = EditorDocument(level);
  } else {
    session.document = EditorDocument(EditorDocument::NewLevel(stem.empty() ? "New level" : stem));
  }
  if (!problems.empty()) session.message = problems.front();
  // A file that could not be read at all is not written over: what it held may matter.
  const bool readable = !there || problems.empty() || !level.grid.Empty();
  if (readable && !path.empty() && (inPlace || InFolder(path, UserLevelsFolder())))
    session.savePath = path;
  if (session.document.level().player) {
    session.column = session.document.level().player->column;
    session.row = session.document.level().player->row;
  }
  session.cameraX = float(session.document.Width()) / 2;
  session.cameraY = float(session.document.Height()) / 2;
  return session;
}

bool SessionStillHolds(const EditorSession& session, const std::string& path) {
  std::error_code error;
  if (session.savePath.empty() || session.document.Changed() ||
      !fs::equivalent(session.savePath, path, error))
    return false;
  Level level;
  std::vector<std::string> problems;
  return ReadLevelFile(path, &level, &problems) && problems.empty() &&
         level == session.document.level();
}

std::string SaveAsPath(const EditorSession& session, const std::string& name, std::string* why) {
  *why = RefuseLevelName(name);
  if (!why->empty()) return "";
  const std::string folder = UserLevelsFolder();
  if (folder.empty()) {
    *why = "No folder for your levels: set HOME or XDG_DATA_HOME";
    return "";
  }
  const std::string path = (fs::path(folder) / LevelFileName(name)).string();
  std::error_code error;
  const bool same = !session.savePath.empty() && fs::exists(session.savePath, error) &&
                    fs::equivalent(path, session.savePath, error);
  if (fs::exists(path, error) && !same) {
    *why = "Your levels already hold one named " + name + ": choose another name";
    return "";
  }
  return path;
}

bool SaveEditorSession(EditorSession& session, const std::string& path) {
  std::error_code error;
  fs::create_directories(fs::path(path).parent_path(), error);
  std::string problem;
  if (!SaveLevelFile(path, session.document.level(), &problem)) {
    session.message = "Not saved: " + problem;
    session.messageRevision = session.document.Revision();
    return false;
  }
  session.document.MarkSaved();
  session.savePath = path;
  const std::size_t problems = CheckLevel(session.document.level()).size();
  session.message = "Saved " + path;
  session.messageRevision = session.document.Revision();
  if (problems > 0)
    session.message +=
        " (" + std::to_string(problems) + " problem" + (problems > 1 ? "s" : "") + " still to fix)";
  return true;
}

EditorSession* CurrentEditorSession() { return gSession; }

void SetCurrentEditorSession(EditorSession* session) { gSession = session; }
