#pragma once

#include <cstdint>
#include <optional>

#include "platform/common/grid_selection.h"

namespace lumenpoll {

// Where a display-only grid's cells lie, as both views lay them out: every cell followed by
// a grid line, the last column's and row's outside the client area, so that the designed
// size shows every cell whole.
class GridLayout {
 public:
  static constexpr int kLine = 1;
  static constexpr int kTextInset = 2;  // from the cell's top left corner
  // The lines between cells that are not fixed; those of fixed cells are the frame's colour.
  static constexpr std::uint32_t kLineRgb = 0xC0C0C0;

  // The cells' sizes without their lines.
  GridLayout(int cols, int rows, int col_width, int row_height)
      : cols_(cols), rows_(rows), col_width_(col_width), row_height_(row_height) {}

  struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
  };
  // The cell's own pixels, without the line after it, in the client area.
  Box cell_box(int col, int row) const;
  // The cell at a point of the client area; nothing off the cells.
  std::optional<GridSelection::Cell> cell_at(int x, int y) const;
  // A column's or row's pixels with its line, as far as the line lies in the client area.
  int col_span(int col) const { return col_width_ + (col + 1 < cols_ ? kLine : 0); }
  int row_span(int row) const { return row_height_ + (row + 1 < rows_ ? kLine : 0); }

 private:
  int cols_;
  int rows_;
  int col_width_;
  int row_height_;
};

// How a cell is drawn: a fixed one as a heading; a selected one highlighted, except the one
// with the focus rectangle while the grid has the focus.
struct CellLook {
  bool fixed = false;
  bool highlighted = false;
  bool focus = false;
};
CellLook cell_look(const GridSelection& selection, int col, int row, bool grid_has_focus);

}  // namespace lumenpoll
