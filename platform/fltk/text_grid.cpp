#include "platform/fltk/text_grid.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/look.h"

namespace lumenpoll {
namespace {

constexpr int kLine = 1;
constexpr int kTextInset = 2;

}  // namespace

TextGrid::TextGrid(int x, int y, int w, int h, const Layout& layout, Fl_Fontsize size)
    : Fl_Table(x, y, w, h),
      layout_(layout),
      font_size_(size),
      cells_(layout.cols, layout.rows),
      selection_(layout.cols, layout.rows, layout.fixed_cols, layout.fixed_rows) {
  end();
  box(FL_DOWN_FRAME);
  color(kWindowWhite);
  col_header(0);
  row_header(0);
  rows(layout.rows);
  cols(layout.cols);
  // Each cell carries the grid line after it; the last line falls outside the client
  // area, as it does in the station's grid, so the designed size shows every cell whole.
  for (int c = 0; c < layout.cols; ++c)
    col_width(c, layout.col_width + (c + 1 < layout.cols ? kLine : 0));
  for (int r = 0; r < layout.rows; ++r)
    row_height(r, layout.row_height + (r + 1 < layout.rows ? kLine : 0));
}

void TextGrid::set_cell(int col, int row, std::string utf8) {
  if (cells_.set(col, row, std::move(utf8))) redraw();
}

const std::string& TextGrid::cell(int col, int row) const {
  return cells_.at(col, row);
}

void TextGrid::set_selection(const GridRect& rect) {
  selection_.set(rect);
  redraw();
}

bool TextGrid::cell_at(int x, int y, Cell& cell) {
  if (x < tix || y < tiy || x >= tix + tiw || y >= tiy + tih) return false;
  int left = tix;
  int col = 0;
  while (col < layout_.cols && x >= left + col_width(col)) left += col_width(col++);
  int top = tiy;
  int row = 0;
  while (row < layout_.rows && y >= top + row_height(row)) top += row_height(row++);
  if (col >= layout_.cols || row >= layout_.rows) return false;
  cell = {col, row};
  return true;
}

bool TextGrid::handle_key(int key, bool extend) {
  using Move = GridSelection::Move;
  static constexpr GridSelection::Key kKeys[] = {
      {FL_Left, Move::Left}, {FL_Right, Move::Right}, {FL_Up, Move::Up},
      {FL_Down, Move::Down}, {FL_Home, Move::Home},   {FL_End, Move::End},
  };
  const std::optional<Move> move = GridSelection::move_of(key, kKeys);
  if (!move || !selection_.move(*move, extend)) return false;
  redraw();
  return true;
}

int TextGrid::handle(int event) {
  switch (event) {
    case FL_FOCUS:
    case FL_UNFOCUS:
      redraw();
      return 1;
    case FL_PUSH: {
      take_focus();
      Cell cell;
      cell_at(Fl::event_x(), Fl::event_y(), cell);  // none: outside the cells
      if (selection_.press(cell)) redraw();
      return 1;
    }
    case FL_DRAG: {
      Cell cell;
      if (cell_at(Fl::event_x(), Fl::event_y(), cell) && selection_.drag(cell)) redraw();
      return 1;
    }
    case FL_RELEASE:
      selection_.release();
      return 1;
    case FL_KEYBOARD:
      return handle_key(Fl::event_key(), Fl::event_state() & FL_SHIFT) ? 1 : 0;
    default:
      return Fl_Table::handle(event);
  }
}

void TextGrid::draw_fixed_cell(int x, int y, int w, int h) {
  fl_color(kButtonFace);
  fl_rectf(x, y, w, h);
  fl_color(FL_WHITE);
  fl_xyline(x, y, x + w - 1);
  fl_yxline(x, y, y + h - 1);
  fl_color(FL_DARK3);
  fl_xyline(x, y + h - 1, x + w - 1);
  fl_yxline(x + w - 1, y, y + h - 1);
}

void TextGrid::draw_cell(TableContext context, int row, int col, int x, int y, int w, int h) {
  if (context != CONTEXT_CELL) return;
  const bool fixed = selection_.is_fixed(col, row);
  const int content_w = w - (col + 1 < layout_.cols ? kLine : 0);
  const int content_h = h - (row + 1 < layout_.rows ? kLine : 0);
  const Cell current = selection_.current();
  const bool focus_cell = Fl::focus() == this && col == current.col && row == current.row;
  const bool highlighted = !fixed && selection_.selected(col, row) && !focus_cell;

  fl_push_clip(x, y, w, h);
  if (fixed) {
    draw_fixed_cell(x, y, content_w, content_h);
  } else {
    fl_color(highlighted ? kHighlight : kWindowWhite);
    fl_rectf(x, y, content_w, content_h);
  }
  fl_color(fixed ? kFixedGridLine : kGridLine);
  if (content_w < w) fl_yxline(x + content_w, y, y + h - 1);
  if (content_h < h) fl_xyline(x, y + content_h, x + w - 1);

  fl_push_clip(x, y, content_w, content_h);
  fl_font(kFontFace, font_size_);
  fl_color(highlighted ? kHighlightText : FL_BLACK);
  const std::string& text = cell(col, row);
  fl_draw(text.c_str(), static_cast<int>(text.size()), x + kTextInset,
          y + kTextInset + fl_height() - fl_descent());
  fl_pop_clip();

  if (focus_cell && !fixed) {
    fl_color(FL_BLACK);
    fl_line_style(FL_DOT);
    fl_rect(x, y, content_w, content_h);
    fl_line_style(0);
  }
  fl_pop_clip();
}

}  // namespace lumenpoll
