// One stay in the editor: the level being edited with its undo history, where it is saved,
// and where the player looks. It outlives the editor's screen, which the state loop deletes
// while the level is tried.
#pragma once

#include <string>

#include "EditorDocument.h"

struct EditorSession {
  EditorDocument document;
  // Where SAVE writes; empty until SAVE AS names a file in the player's levels folder.
  std::string savePath;
  std::string message;                // a line about the last action; empty for none
  unsigned long messageRevision = 0;  // the level's revision when the message was said
  std::string nameProblem;            // why the name typed for SAVE AS is refused; empty for none
  int column = 1, row = 1;            // the cell cursor
  float cameraX = 0, cameraY = 0;     // the cell, in cells, at the middle of the map's view
  float zoom = 0;                     // view pixels a cell; 0 until the map is first shown
  int tool = 1;
  int monster = -1;  // the selected monster, or -1
};

// Opens the level at `path` (a new one named after the file when none is there). A file
// in the player's levels folder is saved where it is, and so is one named on the command
// line (`inPlace`); any other (a game level in the installed data) only as a copy.
EditorSession OpenEditorSession(const std::string& path, bool inPlace);

// Whether the editor can go back to `session` to open `path`: it was last saved there, has
// changed nothing since, and the file still holds what it saved.
bool SessionStillHolds(const EditorSession& session, const std::string& path);

// The file SAVE AS `name` writes in the player's levels folder, or empty with `why` set.
// An existing file other than the one being edited is never replaced.
std::string SaveAsPath(const EditorSession& session, const std::string& name, std::string* why);

// Writes the level to `path` (making the folder), marks it saved there. False with the
// session's message saying why.
bool SaveEditorSession(EditorSession& session, const std::string& path);

// The session the editor's screen shows; null outside the editor.
EditorSession* CurrentEditorSession();
void SetCurrentEditorSession(EditorSession* session);
