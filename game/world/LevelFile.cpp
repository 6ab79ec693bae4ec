#include "LevelFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "SavedFile.h"

namespace {

std::string LineNumbered(const std::string& fileName, std::size_t line, const std::string& what) {
  return fileName + " line " + std::to_string(line) + ": " + what;
}

// A whole decimal number, no sign unless `negative` allows it, within +-1e6.
bool ReadInt(const std::string& text, bool negative, int* value) {
  if (text.empty() || text.size() > 7) return false;
  std::size_t first = negative && text[0] == '-' ? 1 : 0;
  if (first == text.size() || text.find_first_not_of("0123456789", first) != text.npos)
    return false;
  *value = std::atoi(text.c_str());
  return true;
}

// A finite decimal number, without hex or words ("nan", "inf").
bool ReadReal(const std::string& text, double* value) {
  if (text.empty() || text.size() > 24) return false;
  if (text.find_first_not_of("-+.eE0123456789") != text.npos) return false;
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(*value);
}

// "c,r" or "c,r~dx,dy".
bool ReadPoint(const std::string& word, LevelPoint* point) {
  const std::size_t comma = word.find(',');
  if (comma == word.npos) return false;
  const std::size_t tilde = word.find('~', comma);
  const std::string row =
      word.substr(comma + 1, tilde == word.npos ? word.npos : tilde - comma - 1);
  if (!ReadInt(word.substr(0, comma), false, &point->column) || !ReadInt(row, false, &point->row))
    return false;
  point->dx = point->dy = 0;
  if (tilde == word.npos) return true;
  const std::string shift = word.substr(tilde + 1);
  const std::size_t between = shift.find(',');
  double dx = 0, dy = 0;
  if (between == shift.npos || !ReadReal(shift.substr(0, between), &dx) ||
      !ReadReal(shift.substr(between + 1), &dy) || std::fabs(dx) > 1e6 || std::fabs(dy) > 1e6)
    return false;
  point->dx = float(dx);
  point->dy = float(dy);
  return true;
}

int KindNamed(const std::string& word) {
  for (int kind = 0; kind < kMonsterKindCount; ++kind)
    if (word == kMonsterKindNames[kind]) return kind;
  return -1;
}

// "monster KIND POINT [route POINT...] [pause SECONDS] [facing DEGREES]"; empty when good.
std::string ReadMonster(std::istringstream& words, LevelMonster* monster) {
  std::string word;
  words >> word;
  monster->kind = KindNamed(word);
  if (monster->kind < 0) return "no monster kind is called " + Quoted(word);
  if (!(words >> word) || !ReadPoint(word, &monster->start))
    return "the monster's start is not a cell column,row";
  bool inRoute = false;
  while (words >> word) {
    double value = 0;
    if (word == "route") {
      inRoute = true;
    } else if (word == "pause" || word == "facing") {
      inRoute = false;
      std::string number;
      if (!(words >> number) || !ReadReal(number, &value) || std::fabs(value) > 1e6 ||
          (word == "pause" && value < 0))
        return "the " + word + " is not a number" + (word == "pause" ? " of seconds" : "");
      (word == "pause" ? monster->pause : monster->facing) = value;
    } else if (inRoute) {
      LevelPoint point;
      if (!ReadPoint(word, &point)) return "waypoint " + Quoted(word) + " is not a cell column,row";
      monster->route.push_back(point);
    } else {
      return "a monster has no " + Quoted(word);
    }
  }
  return "";
}

// The shortest text that reads back as the same number, without an exponent when it can.
std::string Number(double value) {
  char text[48];
  for (int decimals = 0; decimals <= 17; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (std::strtod(text, nullptr) == value) return text;
  }
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string PointText(const LevelPoint& point) {
  std::string text = std::to_string(point.column) + "," + std::to_string(point.row);
  if (point.dx != 0 || point.dy != 0) text += "~" + Number(point.dx) + "," + Number(point.dy);
  return text;
}

}  // namespace

bool operator==(const LevelPoint& a, const LevelPoint& b) {
  return a.column == b.column && a.row == b.row && a.dx == b.dx && a.dy == b.dy;
}

bool operator==(const LevelMonster& a, const LevelMonster& b) {
  return a.kind == b.kind && a.start == b.start && a.route == b.route && a.pause == b.pause &&
         a.facing == b.facing;
}

bool operator==(const Level& a, const Level& b) {
  return a.name == b.name && a.grid.width == b.grid.width && a.grid.height == b.grid.height &&
         a.grid.tileSize == b.grid.tileSize && a.grid.cells == b.grid.cells &&
         a.player == b.player && a.monsters == b.monsters;
}

bool ReadLevel(const std::string& text, const std::string& fileName, Level* out,
               std::vector<std::string>* problems) {
  *out = Level();
  // One look at every line first: a line no level needs is refused before anything is built.
  std::size_t lineStart = 0, lineNumber = 1;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\n') continue;
    if (i - lineStart > kLevelLineMaxChars) {
      problems->push_back(LineNumbered(
          fileName, lineNumber,
          "longer than " + std::to_string(kLevelLineMaxChars) + " characters; not a level"));
      return false;
    }
    lineStart = i + 1;
    ++lineNumber;
  }

  std::istringstream in(text);
  std::string first;
  std::getline(in, first);
  if (!first.empty() && first.back() == '\r') first.pop_back();
  if (first.rfind("\xEF\xBB\xBF", 0) == 0) first.erase(0, 3);
  const bool level = first.rfind("vantrel level", 0) == 0;
  std::size_t consumedLines = 1;
  if (level) {
    if (first != kLevelFormatLine) {
      problems->push_back(fileName + ": " + Quoted(first) +
                          " is a format this game cannot read; it reads " + kLevelFormatLine);
      return false;
    }
    std::string line;
    std::getline(in, line);
    ++consumedLines;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line != "name" && line.rfind("name ", 0) != 0) {
      problems->push_back(LineNumbered(fileName, 2, "the level's name is missing"));
      return false;
    }
    out->name = line.substr(std::min<std::size_t>(line.size(), 5));
    for (char& c : out->name) c = (unsigned char)c < ' ' ? ' ' : c;
  } else {
    // A bare map: the grid alone, and nothing after it is read.
    in.seekg(0);
    consumedLines = 0;
  }

  std::ostringstream log;
  const std::streampos gridStart = in.tellg();
  const bool read = ReadTileMap(in, fileName.c_str(), &out->grid, log);
  // The map reader says at most one line.
  const std::string said = log.str();
  if (!said.empty()) problems->push_back(said.substr(0, said.find('\n')));
  if (!read) return false;
  if (!level) return true;

  // Cast lines are numbered from the line the grid ends on.
  std::streampos castStart = in.tellg();
  if (castStart < 0) return true;
  std::size_t number = consumedLines + 1;
  for (std::streamoff i = gridStart; i < castStart; ++i)
    if (text[std::size_t(i)] == '\n') ++number;
  std::string line;
  bool playerSeen = false;
  for (; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string keyword;
    if (!(words >> keyword) || keyword[0] == '#') continue;
    std::string problem;
    if (keyword == "player") {
      LevelPoint point;
      std::string word, extra;
      if (!(words >> word) || !ReadPoint(word, &point) || (words >> extra))
        problem = "the player's start is not one cell column,row";
      else if (playerSeen)
        problem = "a second player start; the first counts";
      else
        out->player = point;
      playerSeen = true;
    } else if (keyword == "monster") {
      LevelMonster monster;
      problem = ReadMonster(words, &monster);
      if (problem.empty()) out->monsters.push_back(monster);
    } else {
      problem = "cannot read " + Quoted(line);
    }
    if (!problem.empty())
      problems->push_back(LineNumbered(fileName, number, problem + "; left out"));
  }
  return true;
}

bool ReadLevelFile(const std::string& path, Level* out, std::vector<std::string>* problems) {
  std::string text, problem;
  mode_t mode = 0;
  switch (ReadSavedFile(path, kLevelFileMaxBytes, &text, &mode, &problem)) {
    case SavedFileRead::kRead:
      return ReadLevel(text, path, out, problems);
    case SavedFileRead::kMissing:
      problems->push_back(path + ": no such file");
      break;
    case SavedFileRead::kUnreadable:
      problems->push_back(path + ": cannot be read: " + problem);
      break;
    case SavedFileRead::kTooBig:
      problems->push_back(path + ": larger than " + std::to_string(kLevelFileMaxBytes >> 20) +
                          " MB; not a level");
      break;
  }
  *out = Level();
  return false;
}

std::string WriteLevel(const Level& level) {
  std::ostringstream out;
  // A line break in the name would end it early.
  std::string name = level.name;
  for (char& c : name) c = (unsigned char)c < ' ' ? ' ' : c;
  out << kLevelFormatLine << "\nname " << name << "\nwidth " << level.grid.width << "\nheight "
      << level.grid.height << "\ntilesize " << level.grid.tileSize << "\n";
  for (unsigned row = level.grid.height; row-- > 0;) {
    for (unsigned column = 0; column < level.grid.width; ++column)
      out << (column ? " " : "") << level.grid.At(row, column);
    out << "\n";
  }
  out << "\n";
  if (level.player) out << "player " << PointText(*level.player) << "\n";
  for (const LevelMonster& monster : level.monsters) {
    const bool known = monster.kind >= 0 && monster.kind < kMonsterKindCount;
    out << "monster " << (known ? kMonsterKindNames[monster.kind] : "unknown") << " "
        << PointText(monster.start);
    if (!monster.route.empty()) {
      out << " route";
      for (const LevelPoint& point : monster.route) out << " " << PointText(point);
    }
    if (monster.pause) out << " pause " << Number(*monster.pause);
    if (monster.facing) out << " facing " << Number(*monster.facing);
    out << "\n";
  }
  return out.str();
}

bool SaveLevelFile(const std::string& path, const Level& level, std::string* problem) {
  SavedFileUpdate update(path);
  if (!update.Ready()) {
    *problem = update.Problem();
    return false;
  }
  return WriteReplacing(update.Target(), WriteLevel(level), 0, problem);
}

KEVec2 WorldPoint(const TileMapGrid& grid, LevelPoint point) {
  const float size = float(grid.tileSize);
  const float halfWidth = float(grid.width * grid.tileSize) / 2;
  const float halfHeight = float(grid.height * grid.tileSize) / 2;
  return {size * (float(point.column) + 0.5f) - halfWidth + point.dx,
          halfHeight - size * (float(point.row) + 0.5f) + point.dy};
}

LevelCast CastOf(const Level& level, const std::string& mapFile) {
  LevelCast cast;
  cast.mapFile = mapFile;
  cast.grid = level.grid;
  cast.playerStart = level.player ? WorldPoint(level.grid, *level.player) : KEVec2{0, 0};
  for (const LevelMonster& monster : level.monsters) {
    CastMember member = {
        monster.kind, WorldPoint(level.grid, monster.start), {}, {}, monster.pause};
    if (monster.facing) member.rotation = float(*monster.facing * M_PI / 180);
    for (const LevelPoint& point : monster.route)
      member.route.push_back(WorldPoint(level.grid, point));
    cast.monsters.push_back(member);
  }
  // FNV-1a over the level as written back: notes and spacing leave a run playable.
  cast.checksum = 2166136261u;
  for (const char c : WriteLevel(level)) cast.checksum = (cast.checksum ^ uint8_t(c)) * 16777619u;
  return cast;
}

std::vector<PatrolLeg> PatrolLegs(const CastMember& member) {
  std::vector<KEVec2> points = {member.start};
  points.insert(points.end(), member.route.begin(), member.route.end());
  points.push_back(member.start);
  auto firstEqual = [&](KEVec2 p) {
    size_t k = 0;
    while (points[k].x != p.x || points[k].y != p.y) ++k;
    return k;
  };
  std::vector<PatrolLeg> legs;
  std::vector<bool> walked(points.size());
  for (size_t k = 0; !member.route.empty() && !walked[k]; k = firstEqual(points[k + 1])) {
    walked[k] = true;
    legs.push_back({points[k], points[k + 1]});
  }
  return legs;
}
