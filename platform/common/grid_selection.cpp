#include "platform/common/grid_selection.h"

#include <algorithm>

namespace lumenpoll {

GridSelection::GridSelection(int cols, int rows, int fixed_cols, int fixed_rows)
    : cols_(cols), rows_(rows), fixed_cols_(fixed_cols), fixed_rows_(fixed_rows) {}

bool GridSelection::is_fixed(int col, int row) const {
  return row < fixed_rows_ || col < fixed_cols_;
}

bool GridSelection::selected(int col, int row) const {
  return col >= rect_.left && col <= rect_.right && row >= rect_.top && row <= rect_.bottom;
}

void GridSelection::set(const GridRect& rect) {
  rect_ = rect;
  current_ = {rect.right, rect.bottom};
  far_corner_ = {rect.left, rect.top};
}

bool GridSelection::press(Cell cell) {
  dragging_ = selectable(cell);
  if (dragging_) select_range(cell, cell);
  return dragging_;
}

bool GridSelection::drag(Cell cell) {
  if (!dragging_ || !selectable(cell)) return false;
  select_range(current_, cell);
  return true;
}

std::optional<GridSelection::Move> GridSelection::move_of(int code, std::span<const Key> keys) {
  for (const Key& key : keys)
    if (key.code == code) return key.move;
  return std::nullopt;
}

bool GridSelection::move(Move move, bool extend) {
  const int first_col = fixed_cols_;
  const int first_row = fixed_rows_;
  const int last_col = cols_ - 1;
  const int last_row = rows_ - 1;
  if (first_col > last_col || first_row > last_row) return false;
  if (!selectable(current_) || !selectable(far_corner_)) {  // nothing usable: the first cell
    const Cell first{first_col, first_row};
    select_range(first, first);
    return true;
  }
  Cell next = extend ? far_corner_ : current_;
  const int step = move == Move::Left || move == Move::Up ? -1 : 1;
  if (move == Move::Left || move == Move::Right)
    next.col = std::clamp(next.col + step, first_col, last_col);
  else if (move == Move::Up || move == Move::Down)
    next.row = std::clamp(next.row + step, first_row, last_row);
  else
    next.col = move == Move::Home ? first_col : last_col;
  if (extend)
    select_range(current_, next);
  else
    select_range(next, next);
  return true;
}

bool GridSelection::selectable(Cell cell) const {
  return cell.col >= fixed_cols_ && cell.row >= fixed_rows_ && cell.col < cols_ && cell.row < rows_;
}

void GridSelection::select_range(Cell current, Cell far_corner) {
  current_ = current;
  far_corner_ = far_corner;
  rect_ = {std::min(current.col, far_corner.col), std::min(current.row, far_corner.row),
           std::max(current.col, far_corner.col), std::max(current.row, far_corner.row)};
}

}  // namespace lumenpoll
