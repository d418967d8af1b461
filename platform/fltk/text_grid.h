#pragma once

#include <FL/Fl_Table.H>

#include <optional>
#include <string>

#include "platform/common/grid_cells.h"
#include "platform/common/grid_layout.h"
#include "platform/common/grid_selection.h"
#include "ui/form_view.h"

namespace lumenpoll {

// A display-only string grid: fixed heading rows drawn as header cells, grid lines after
// every cell, and one rectangular selection that the program sets and the operator can
// move with the mouse (click, drag) or the arrow keys. Fixed cells are never selected.
class TextGrid : public Fl_Table {
 public:
  struct Layout {
    int cols = 0;
    int rows = 0;
    int fixed_rows = 0;
    int fixed_cols = 0;
    int col_width = 0;   // without the grid line
    int row_height = 0;  // without the grid line
  };

  // size: the text size of the cells.
  TextGrid(int x, int y, int w, int h, const Layout& layout, Fl_Fontsize size);

  // utf8: the text to show; cells outside the grid are ignored.
  void set_cell(int col, int row, std::string utf8);
  const std::string& cell(int col, int row) const;
  // -1 everywhere for none; the program's selection, as is.
  void set_selection(const GridRect& rect);
  const GridRect& selection() const { return selection_.rect(); }

  int handle(int event) override;

 protected:
  void draw_cell(TableContext context, int row, int col, int x, int y, int w, int h) override;

 private:
  using Cell = GridSelection::Cell;

  // The cell under the given window point, if any.
  std::optional<Cell> cell_at(int x, int y) const;
  bool handle_key(int key, bool extend);
  void draw_fixed_cell(int x, int y, int w, int h);

  GridLayout layout_;
  Fl_Fontsize font_size_;
  GridCells cells_;
  GridSelection selection_;
};

}  // namespace lumenpoll
