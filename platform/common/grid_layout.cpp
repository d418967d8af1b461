#include "platform/common/grid_layout.h"

namespace lumenpoll {

GridLayout::Box GridLayout::cell_box(int col, int row) const {
  return {col * (col_width_ + kLine), row * (row_height_ + kLine), col_width_, row_height_};
}

std::optional<GridSelection::Cell> GridLayout::cell_at(int x, int y) const {
  if (x < 0 || y < 0) return std::nullopt;
  const int col = x / (col_width_ + kLine);
  const int row = y / (row_height_ + kLine);
  if (col >= cols_ || row >= rows_) return std::nullopt;
  return GridSelection::Cell{col, row};
}

CellLook cell_look(const GridSelection& selection, int col, int row, bool grid_has_focus) {
  CellLook look;
  look.fixed = selection.is_fixed(col, row);
  const GridSelection::Cell current = selection.current();
  look.focus = grid_has_focus && !look.fixed && col == current.col && row == current.row;
  look.highlighted = !look.fixed && !look.focus && selection.selected(col, row);
  return look;
}

}  // namespace lumenpoll
