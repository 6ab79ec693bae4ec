#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EditorDocument.h"
#include "LevelCheck.h"

namespace {

bool BorderClosed(const Level& level) {
  for (const LevelProblem& problem : CheckLevel(level)) {
    if (problem.what.find("border") != std::string::npos) return false;
  }
  return true;
}

TEST(EditorDocumentTest, EachEditIsOneStepBackAndForth) {
  struct Case {
    const char* what;
    std::function<bool(EditorDocument&)> edit;
  };
  const std::vector<Case> cases = {
      {"paint a wall", [](EditorDocument& d) { return d.PaintCell(3, 4, kWallCell); }},
      {"place the start", [](EditorDocument& d) { return d.SetPlayerStart(2, 2); }},
      {"add a monster", [](EditorDocument& d) { return d.AddMonster(3, 5, 5) == 1; }},
      {"delete a monster", [](EditorDocument& d) { return d.DeleteMonster(0); }},
      {"add a waypoint", [](EditorDocument& d) { return d.AddWaypoint(0, 9, 4); }},
      {"move a waypoint", [](EditorDocument& d) { return d.MoveWaypoint(0, 0, 8, 8); }},
      {"delete a waypoint", [](EditorDocument& d) { return d.DeleteWaypoint(0, 0); }},
      {"pause", [](EditorDocument& d) { return d.SetPause(0, 1.5); }},
      {"facing", [](EditorDocument& d) { return d.SetFacing(0, -90); }},
      {"grow", [](EditorDocument& d) { return d.Resize(30, 12); }},
      {"shrink", [](EditorDocument& d) { return d.Resize(10, 10); }},
  };
  for (const Case& c : cases) {
    EditorDocument doc(EditorDocument::NewLevel("Mine"));
    doc.AddMonster(0, 4, 4);
    doc.AddWaypoint(0, 6, 4);
    doc.MarkSaved();
    const Level before = doc.level();
    ASSERT_TRUE(c.edit(doc)) << c.what;
    const Level after = doc.level();
    EXPECT_FALSE(after == before) << c.what;
    EXPECT_TRUE(doc.Changed()) << c.what;
    ASSERT_TRUE(doc.Undo()) << c.what;
    EXPECT_TRUE(doc.level() == before) << c.what;
    EXPECT_FALSE(doc.Changed()) << c.what << ": undone back to what was saved";
    ASSERT_TRUE(doc.Redo()) << c.what;
    EXPECT_TRUE(doc.level() == after) << c.what;
  }
}

// SAVE AS names the level; Ctrl+Z right after takes back the last edit, not the name.
TEST(EditorDocumentTest, UndoAfterANewNameTakesBackTheEditAndKeepsTheName) {
  EditorDocument doc(EditorDocument::NewLevel("level-1"));
  doc.PaintCell(3, 3, kWallCell);
  doc.Rename("Ridge");
  doc.MarkSaved();
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Cell(3, 3), kFloorCell);
  EXPECT_EQ(doc.level().name, "Ridge");
  ASSERT_TRUE(doc.Redo());
  EXPECT_FALSE(doc.Changed());
}

TEST(EditorDocumentTest, EditsThatChangeNothingTakeNoStep) {
  // Otherwise Ctrl+Z would seem to do nothing for as many presses.
  EditorDocument doc;
  doc.SetPlayerStart(2, 2);
  doc.AddMonster(1, 3, 3);
  doc.SetFacing(0, 90);
  doc.MarkSaved();
  EXPECT_FALSE(doc.PaintCell(0, 0, kWallCell));  // the border is wall already
  EXPECT_FALSE(doc.PaintCell(-1, 3, kFloorCell));
  EXPECT_FALSE(doc.PaintCell(3, 99, kFloorCell));
  EXPECT_FALSE(doc.SetPlayerStart(2, 2));
  EXPECT_FALSE(doc.SetFacing(0, 450));  // 90 again
  EXPECT_FALSE(doc.SetPause(0, 0));
  EXPECT_FALSE(doc.AddWaypoint(0, 3, 3));  // on its own start: a leg of no length
  EXPECT_FALSE(doc.AddWaypoint(5, 4, 4));
  EXPECT_FALSE(doc.DeleteMonster(1));
  EXPECT_FALSE(doc.Resize(9, 20));
  EXPECT_FALSE(doc.Resize(20, 129));
  EXPECT_EQ(doc.AddMonster(5, 4, 4), -1);
  EXPECT_EQ(doc.level().monsters.size(), 1u);
  EXPECT_FALSE(doc.Changed());
  EXPECT_TRUE(doc.Undo());  // only the steps before the save
}

TEST(EditorDocumentTest, AddsNoMoreThanALevelMayHold) {
  EditorDocument doc;
  doc.AddMonster(2, 3, 3);
  for (std::size_t i = 0; i < kLevelMaxWaypoints; ++i)
    ASSERT_TRUE(doc.AddWaypoint(0, 4 + int(i % 2), 3)) << i;
  EXPECT_FALSE(doc.AddWaypoint(0, 8, 8));
  while (doc.level().monsters.size() < kLevelMaxMonsters) ASSERT_GE(doc.AddMonster(3, 5, 5), 0);
  EXPECT_EQ(doc.AddMonster(3, 5, 5), -1);
  EXPECT_EQ(CheckLevel(doc.level()).size(), 1u) << "only the missing start, no bound broken";
}

TEST(EditorDocumentTest, ADragIsOneStepAndManyStepsComeBack) {
  EditorDocument doc;
  const Level blank = doc.level();
  doc.BeginStroke();
  for (int column = 1; column < 10; ++column) doc.PaintCell(column, 5, kLavaCell);
  doc.EndStroke();
  EXPECT_EQ(doc.Cell(9, 5), kLavaCell);
  for (int i = 0; i < 120; ++i) doc.PaintCell(1 + i % 18, 1 + i / 18, kWaterCell);
  for (int i = 0; i < 120; ++i) ASSERT_TRUE(doc.Undo()) << i;
  EXPECT_EQ(doc.Cell(9, 5), kLavaCell);
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Cell(1, 5), kFloorCell);
  EXPECT_TRUE(doc.level() == blank);
  EXPECT_FALSE(doc.CanUndo()) << "the drag was one step";
  // A new edit after undoing drops what could have been redone.
  doc.Redo();
  doc.PaintCell(2, 2, kPillarCell);
  EXPECT_FALSE(doc.CanRedo());
}

TEST(EditorDocumentTest, ResizingKeepsTheBorderClosedAndTheCastInside) {
  struct Case {
    unsigned width, height;
    bool monsterStays, waypointStays, startStays;
  };
  const Case cases[] = {
      {40, 30, true, true, true},    // wider and taller: the old edge opens into floor
      {10, 10, false, false, true},  // the monster at 12,3 and the waypoint at 4,12 fall out
      {14, 12, true, false, true},   // the monster stays, the waypoint's row goes
      {128, 10, true, false, true},
  };
  for (const Case& c : cases) {
    EditorDocument doc(EditorDocument::NewLevel("Mine", 20, 15));
    doc.PaintCell(5, 5, kPillarCell);
    doc.SetPlayerStart(2, 2);
    doc.AddMonster(2, 12, 3);
    doc.AddWaypoint(0, 4, 12);
    ASSERT_TRUE(doc.Resize(c.width, c.height)) << c.width << "x" << c.height;
    const Level& level = doc.level();
    EXPECT_EQ(level.grid.cells.size(), std::size_t(c.width) * c.height);
    EXPECT_TRUE(BorderClosed(level)) << c.width << "x" << c.height;
    EXPECT_EQ(doc.Cell(5, 5), kPillarCell);
    EXPECT_EQ(level.player.has_value(), c.startStays);
    ASSERT_EQ(level.monsters.size(), c.monsterStays ? 1u : 0u) << c.width << "x" << c.height;
    if (c.monsterStays) {
      EXPECT_EQ(level.monsters[0].route.size(), c.waypointStays ? 1u : 0u);
    }
    if (c.width > 20) {
      EXPECT_EQ(doc.Cell(19, 5), kFloorCell) << "the old edge inside";
    }
  }
}

TEST(EditorDocumentTest, WhatItMakesReadsBackAsTheSameLevel) {
  EditorDocument doc(EditorDocument::NewLevel("Two rooms", 12, 10));
  doc.PaintCell(6, 1, kWallCell);
  doc.PaintCell(10, 8, kExitCell);
  doc.SetPlayerStart(1, 1);
  doc.AddMonster(3, 3, 3);
  doc.AddWaypoint(0, 8, 3);
  doc.SetPause(0, 1.25);
  doc.AddMonster(2, 8, 7);
  doc.SetFacing(1, -90);
  Level read;
  std::vector<std::string> problems;
  ASSERT_TRUE(ReadLevel(WriteLevel(doc.level()), "mine.txt", &read, &problems));
  EXPECT_TRUE(problems.empty());
  EXPECT_TRUE(read == doc.level());
  EXPECT_EQ(*read.monsters[1].facing, 270);
  EXPECT_TRUE(CheckLevel(read).empty()) << CheckLevel(read).front().Line();
}

TEST(EditorDocumentTest, NamesThatWouldLeaveTheFolderAreRefusedWithAReason) {
  struct Case {
    std::string name;
    const char* reason;  // a part of the line; empty when the name is fine
  };
  const Case cases[] = {
      {"Two rooms", ""},
      {"level-2_b (hard)", ""},
      {"a.b", ""},
      {"", "needs a name"},
      {"../escape", "/"},
      {"a/b", "/"},
      {"..", ".."},
      {"up..", ".."},
      {"back\\slash", "\\"},
      {".hidden", "dot"},
      {"tab\there", "control"},
      {std::string("nul\0x", 5), "control"},
      {"del\x7f", "control"},
      {"what?", "?"},
      {"c:", ":"},
      {" lead", "space"},
      {"trail ", "space"},
      {std::string(40, 'x'), ""},
      {std::string(41, 'x'), "at most 40"},
  };
  for (const Case& c : cases) {
    const std::string line = RefuseLevelName(c.name);
    if (*c.reason == '\0') {
      EXPECT_EQ(line, "") << c.name;
    } else {
      EXPECT_NE(line.find(c.reason), std::string::npos) << c.name << ": " << line;
      EXPECT_EQ(line.find('\n'), std::string::npos);
    }
  }
}

}  // namespace
