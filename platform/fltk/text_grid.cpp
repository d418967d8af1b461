#include "platform/fltk/text_grid.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/look.h"

namespace lumenpoll {

TextGrid::TextGrid(int x, int y, int w, int h, const Layout& layout, Fl_Fontsize size)
    : Fl_Table(x, y, w, h),
      layout_(layout.cols, layout.rows, layout.col_width, layout.row_height),
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
  for (int c = 0; c < layout.cols; ++c) col_width(c, layout_.col_span(c));
  for (int r = 0; r < layout.rows; ++r) row_height(r, layout_.row_span(r));
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

std::optional<TextGrid::Cell> TextGrid::cell_at(int x, int y) const {
  if (x >= tix + tiw || y >= tiy + tih) return std::nullopt;
  return layout_.cell_at(x - tix, y - tiy);
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
    case FL_PUSH:
      take_focus();
      // Off the cells, a press selects nothing.
      if (selection_.press(cell_at(Fl::event_x(), Fl::event_y()).value_or(Cell{}))) redraw();
      return 1;
    case FL_DRAG: {
      const std::optional<Cell> cell = cell_at(Fl::event_x(), Fl::event_y());
      if (cell && selection_.drag(*cell)) redraw();
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
  const CellLook look = cell_look(selection_, col, row, Fl::focus() == this);
  const GridLayout::Box box = layout_.cell_box(col, row);

  fl_push_clip(x, y, w, h);
  if (look.fixed) {
    draw_fixed_cell(x, y, box.width, box.height);
  } else {
    fl_color(look.highlighted ? kHighlight : kWindowWhite);
    fl_rectf(x, y, box.width, box.height);
  }
  fl_color(look.fixed ? kFixedGridLine : kGridLine);
  if (box.width < w) fl_yxline(x + box.width, y, y + h - 1);
  if (box.height < h) fl_xyline(x, y + box.height, x + w - 1);

  fl_push_clip(x, y, box.width, box.height);
  fl_font(kFontFace, font_size_);
  fl_color(look.highlighted ? kHighlightText : FL_BLACK);
  const std::string& text = cell(col, row);
  fl_draw(text.c_str(), static_cast<int>(text.size()), x + GridLayout::kTextInset,
          y + GridLayout::kTextInset + fl_height() - fl_descent());
  fl_pop_clip();

  if (look.focus) {
    fl_color(FL_BLACK);
    fl_line_style(FL_DOT);
    fl_rect(x, y, box.width, box.height);
    fl_line_style(0);
  }
  fl_pop_clip();
}

}  // namespace lumenpoll
