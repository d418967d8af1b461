#pragma once

#include <string>
#include <vector>

namespace lumenpoll {

// The texts of a grid's cells by column and row. Cells outside the grid are ignored, as
// the window sets cells by position without knowing the grid's size.
class GridCells {
 public:
  GridCells(int cols, int rows);

  // False, and nothing kept, outside the grid.
  bool set(int col, int row, std::string text);
  // Empty outside the grid.
  const std::string& at(int col, int row) const;

 private:
  bool inside(int col, int row) const;

  int cols_;
  int rows_;
  std::vector<std::string> cells_;
};

}  // namespace lumenpoll
