#include "TileMapFile.h"

#include <cstdint>
#include <istream>
#include <sstream>
#include <string>

#include "KEReport.h"
#include "SavedFile.h"

namespace {

struct Number {
  bool found = false;     // at least one digit
  bool negative = false;  // a minus sign before the digits
  bool tooLarge = false;  // more than 32 bits
  unsigned value = 0;
  std::string text;  // as written, shortened, for messages
};

bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// What a formatted unsigned read takes: white space, an optional sign, decimal digits.
// Hand-rolled so that a minus sign or an overflow is seen rather than wrapped or clamped.
Number ReadNumber(std::istream& in) {
  Number number;
  int c = in.peek();
  while (c != EOF && IsSpace(c)) {
    in.get();
    c = in.peek();
  }
  if (c == '+' || c == '-') {
    number.negative = c == '-';
    number.text.push_back(static_cast<char>(c));
    in.get();
    c = in.peek();
  }
  uint64_t value = 0;
  while (c != EOF && c >= '0' && c <= '9') {
    number.found = true;
    if (number.text.size() < 24) {
      number.text.push_back(static_cast<char>(c));
    } else if (number.text.size() == 24) {
      number.text += "...";
    }
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > UINT32_MAX) {
      number.tooLarge = true;
      value = UINT32_MAX + uint64_t{1};  // stays too large without wrapping
    }
    in.get();
    c = in.peek();
  }
  number.value = static_cast<unsigned>(value);
  return number;
}

// One header value: its label word and space are skipped the way the levels were written,
// then the number must lie in 1..limit.
bool ReadHeaderValue(std::istream& in, const char* fileName, const char* name, unsigned limit,
                     unsigned* value, std::ostream& log) {
  in.ignore(kMapLabelSkip, ' ');
  const Number number = ReadNumber(in);
  if (!number.found) {
    log << fileName << ": the " << name << " is missing or not a number; the level has no map\n";
    return false;
  }
  if (number.negative || number.tooLarge || number.value < 1 || number.value > limit) {
    log << fileName << ": " << name << " " << number.text << " is out of range 1.." << limit
        << "; the level has no map\n";
    return false;
  }
  *value = number.value;
  return true;
}

// The codes a map may hold: 0 floor, 1 and 8 blocks drawn as floor, 4 lava, 5 the exit,
// 6 water, 7 a pillar, 9 a wall.
constexpr int kFloor = 0, kWall = 9;
bool IsKnownCode(unsigned code) { return code <= 9 && code != 2 && code != 3; }

// The next word, shortened for messages; empty at the end of the file.
std::string ReadWord(std::istream& in) {
  std::string word;
  int c = in.peek();
  while (c != EOF && IsSpace(c)) {
    in.get();
    c = in.peek();
  }
  while (c != EOF && !IsSpace(c)) {
    if (word.size() < 32) word.push_back(static_cast<char>(c));
    in.get();
    c = in.peek();
  }
  return word;
}

// The code a cell's word holds, or -1 when it holds none the game knows.
int CellCode(const std::string& word) {
  const std::string digits = word[0] == '+' ? word.substr(1) : word;
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != digits.npos)
    return -1;
  const unsigned code = unsigned(std::stoul(digits));
  return IsKnownCode(code) ? int(code) : -1;
}

}  // namespace

bool ReadTileMap(std::istream& in, const char* fileName, TileMapGrid* out, std::ostream& log) {
  *out = TileMapGrid();
  if (!fileName) fileName = "(unnamed map)";
  unsigned width = 0, height = 0, tileSize = 0;
  if (!ReadHeaderValue(in, fileName, "width", kMapMaxSide, &width, log) ||
      !ReadHeaderValue(in, fileName, "height", kMapMaxSide, &height, log) ||
      !ReadHeaderValue(in, fileName, "tile size", kMapMaxTileSize, &tileSize, log)) {
    return false;
  }

  // Cells are named as in the level file: column, row from 0 at the top left.
  // A cell that holds no known code, or that a file cut short lacks, costs that cell alone:
  // floor, which closes no way through, except on the map's edge, where a wall keeps the
  // walkers inside the map.
  const std::size_t total = std::size_t{width} * height;
  std::vector<unsigned> cells(total, 0);
  std::size_t bad = 0, missing = 0;
  std::string firstBad;
  unsigned firstBadRow = 0, firstBadColumn = 0;
  for (unsigned fileRow = 0; fileRow < height; ++fileRow) {
    const unsigned row = height - 1 - fileRow;  // the file starts with the top row
    for (unsigned column = 0; column < width; ++column) {
      const std::string word = missing ? "" : ReadWord(in);
      int code = word.empty() ? -1 : CellCode(word);
      if (word.empty()) {
        ++missing;
      } else if (code < 0 && bad++ == 0) {
        firstBad = word;
        firstBadRow = fileRow;
        firstBadColumn = column;
      }
      const bool edge = row == 0 || column == 0 || row == height - 1 || column == width - 1;
      if (code < 0) code = edge ? kWall : kFloor;
      cells[std::size_t{row} * width + column] = unsigned(code);
    }
  }
  if (bad > 0) {
    log << fileName << ": " << bad << " of " << total
        << (bad == 1 ? " cells holds no known code: " : " cells hold no known code, the first ")
        << Quoted(firstBad) << " at column " << firstBadColumn << ", row " << firstBadRow;
    if (missing > 0) log << ", and " << missing << " are missing";
  } else if (missing > 0) {
    log << fileName << ": " << missing << " of " << total << " cells are missing";
  }
  if (bad + missing > 0) log << "; they are floor, or wall on the map's edge\n";

  out->width = width;
  out->height = height;
  out->tileSize = tileSize;
  out->cells.swap(cells);
  return true;
}

bool ReadTileMap(std::istream& in, const char* fileName, TileMapGrid* out) {
  std::ostringstream log;
  const bool read = ReadTileMap(in, fileName, out, log);
  std::string line;
  for (std::istringstream lines(log.str()); std::getline(lines, line);)
    KEReport("%s", line.c_str());
  return read;
}
