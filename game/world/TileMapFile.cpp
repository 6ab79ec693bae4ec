#include "TileMapFile.h"

#include <cstdint>
#include <iostream>
#include <istream>
#include <string>

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

  // In a file cut short or with a bad number, every cell from the first unreadable one on
  // is floor (code 0), so the level stays playable and no cell is left unset.
  const std::size_t total = std::size_t{width} * height;
  std::vector<unsigned> cells(total, 0);
  std::size_t read = 0;
  bool cut = false;
  for (unsigned fileRow = 0; fileRow < height && !cut; ++fileRow) {
    const unsigned row = height - 1 - fileRow;  // the file starts with the top row
    for (unsigned column = 0; column < width; ++column) {
      const Number number = ReadNumber(in);
      if (!number.found || number.negative || number.tooLarge) {
        cut = true;
        break;
      }
      cells[std::size_t{row} * width + column] = number.value;
      ++read;
    }
  }
  if (read < total) {
    log << fileName << ": " << total - read << " of " << total
        << " cells are missing or unreadable; they are floor\n";
  }

  out->width = width;
  out->height = height;
  out->tileSize = tileSize;
  out->cells.swap(cells);
  return true;
}

bool ReadTileMap(std::istream& in, const char* fileName, TileMapGrid* out) {
  return ReadTileMap(in, fileName, out, std::cout);
}
