#include "platform/common/grid_cells.h"

#include <cstddef>
#include <utility>

namespace lumenpoll {

GridCells::GridCells(int cols, int rows)
    : cols_(cols), rows_(rows), cells_(static_cast<std::size_t>(cols) * rows) {}

bool GridCells::inside(int col, int row) const {
  return col >= 0 && row >= 0 && col < cols_ && row < rows_;
}

bool GridCells::set(int col, int row, std::string text) {
  if (!inside(col, row)) return false;
  cells_[static_cast<std::size_t>(row) * cols_ + col] = std::move(text);
  return true;
}

const std::string& GridCells::at(int col, int row) const {
  static const std::string kNone;
  return inside(col, row) ? cells_[static_cast<std::size_t>(row) * cols_ + col] : kNone;
}

}  // namespace lumenpoll
