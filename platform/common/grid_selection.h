#pragma once

#include <optional>
#include <span>

#include "ui/form_view.h"

namespace lumenpoll {

// The selection of a display-only grid as the program sets it and the operator moves it:
// a click selects one cell, a drag from there a range, the arrow keys (Home, End) move it
// and with Shift extend it. Fixed (heading) cells are never selected by the operator; the
// program's selection is kept as it is given.
class GridSelection {
 public:
  struct Cell {
    int col = -1;
    int row = -1;
  };
  enum class Move { Left, Right, Up, Down, Home, End };

  GridSelection(int cols, int rows, int fixed_cols, int fixed_rows);

  const GridRect& rect() const { return rect_; }
  // The cell with the focus rectangle: where the last click or move went.
  Cell current() const { return current_; }
  bool is_fixed(int col, int row) const;
  bool selected(int col, int row) const;

  void set(const GridRect& rect);
  // A press on a cell; true when it selected the cell, which starts a drag.
  bool press(Cell cell);
  // The pointer, still pressed, over a cell: the range reaches to it. False when there
  // is no drag or the cell cannot be selected, and nothing changed.
  bool drag(Cell cell);
  void release() { dragging_ = false; }
  // False when the grid has no cell to select.
  bool move(Move move, bool extend);

  // The toolkit's key of each move.
  struct Key {
    int code;
    Move move;
  };
  // The move of a key; nothing for a key that moves nothing.
  static std::optional<Move> move_of(int code, std::span<const Key> keys);

 private:
  bool selectable(Cell cell) const;
  void select_range(Cell current, Cell far_corner);

  int cols_;
  int rows_;
  int fixed_cols_;
  int fixed_rows_;
  GridRect rect_;
  Cell current_;
  Cell far_corner_;  // the corner that a drag or Shift with an arrow key moves
  bool dragging_ = false;
};

}  // namespace lumenpoll
