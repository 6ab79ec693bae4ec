// A level's grid of square cells, centred on the world origin, with the tiles drawn for it
// and the queries actors make every frame: cell codes, walls, hazards and paths.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "KEMath.h"
#include "TileMapFile.h"

class Tile;
struct KEGfxTileLayer;

// The picture a cell of `code` is drawn with, as the level and the editor draw it.
const char* TilePicture(unsigned code);

class TileMap {
 public:
  // Reads the file and creates one tile per cell in the world list. False only when the
  // file cannot be opened; a damaged file leaves the map empty or part floor.
  bool LoadFile(const char* fileName);
  // The grids and queries alone, without tiles. A grid that breaks its own bounds leaves
  // the map empty and returns false.
  bool LoadGrid(const TileMapGrid& grid);
  // The grid with its tiles, as LoadFile makes them; an empty grid leaves the map empty.
  void LoadGridAndTiles(const TileMapGrid& grid);

  int CellAt(KEVec2 point) const;                        // -1 outside the map
  int WallContacts(KEVec2 position, KEVec2 size) const;  // 1 left, 2 right, 4 top, 8 bottom
  KEVec2 SnapToCell(KEVec2 point, int mask) const;       // to the cell centre on masked axes
  // Where a box of `size` centred at `from` ends after walking `step`, an axis at a time:
  // a wall across one axis stops the box at its face and the other axis goes on along it.
  // Pressed (nearly) straight along an axis into a corner that clips it by up to half its
  // width, the box eases sideways round the corner instead, a step a frame, unless that
  // leads it onto lava. Outside the map nothing blocks.
  KEVec2 WalkBox(KEVec2 from, KEVec2 size, KEVec2 step) const;
  int HazardUnder(KEVec2 position, KEVec2 size) const;  // 4 lava, 6 water, 5 exit or 0
  // Cell centres from the target back to the cell next to `from` (which is left out).
  std::list<KEVec2> FindPath(KEVec2 from, KEVec2 to);
  KEVec2 Extent() const;  // centre of the cell diagonally beyond the top-right corner
  std::vector<KEVec2> ExitCentres() const;  // bottom row first
  void DumpGrids() const;

  unsigned width = 0;
  unsigned height = 0;
  unsigned tileSize = 0;
  // Indexed [row][column]; row 0 is the bottom row.
  std::vector<std::vector<unsigned>> cells;
  std::vector<std::vector<int>> blocking;
  std::vector<std::vector<int>> pathMarks;  // the last search's marks, where it visited
  float halfWidth = 0;
  float halfHeight = 0;
  std::vector<Tile*> tiles;  // owned by the world list

  // Draws the tiles made by LoadFile all at once (they draw nothing on their own), except
  // those entirely under an opaque band over the view below `hiddenBelow`.
  void DrawTiles(float hiddenBelow) const;
  // The tiles drawn by DrawTiles would hide everything in the box.
  bool TilesHide(float left, float bottom, float right, float top) const;
  // The world list lets the tiles go: nothing is drawn for them any more.
  void ForgetTiles();

  // The point lies inside the map on a cell that stops movement (sight samples use it too).
  bool Blocks(KEVec2 point) const;

 private:
  struct Cell {
    int row, column;
  };
  void Clear();
  bool Locate(KEVec2 point, Cell* cell) const;
  struct Span {
    int first, last;
  };
  // The cells a box from `centre - half` to `centre + half` covers on an axis (0 columns,
  // 1 rows); -1 and the count stand for anything beyond the map.
  Span Covered(float centre, float half, int axis) const;
  float Edge(int line, int axis) const;  // the low edge of a column or row
  // Where the box's centre gets on `axis` moving by `distance`: short of the first line of
  // cells it newly covers with a blocking one in it.
  float Advance(KEVec2 centre, KEVec2 half, int axis, float distance) const;
  // The sideways move that eases a box stopped by a corner ahead on `axis`; 0 when none.
  float EaseRound(KEVec2 stopped, KEVec2 size, int axis, float distance) const;
  KEVec2 CentreOf(Cell cell) const;
  void CreateTiles();
  void LabelRegions();
  int& RegionOf(Cell cell);

  std::vector<Cell> searchQueue_;  // kept between searches so a search allocates no queue
  std::vector<unsigned> visited_;  // [row * width + column]: the search that last marked it
  unsigned search_ = 0;
  std::vector<int> regions_;  // [row * width + column]: 0 blocking, else its region's number
  struct FreeLayer {
    void operator()(KEGfxTileLayer* layer) const;
  };
  std::unique_ptr<KEGfxTileLayer, FreeLayer> tileLayer_;
};

// A game state played on a map, such as a level: the actors walk the running one's map.
class MapState {
 public:
  virtual ~MapState() = default;
  virtual TileMap* GetMap() = 0;
};

// The running state's map, or null when it is played on none.
TileMap* CurrentMap();
