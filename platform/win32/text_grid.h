#pragma once

#include <windows.h>

#include <string>

#include "platform/common/grid_cells.h"
#include "platform/common/grid_layout.h"
#include "platform/common/grid_selection.h"
#include "ui/form_view.h"
#include "ui/window_definition.h"

namespace lumenpoll {

// The technique chart: a display-only string grid drawn by itself. Fixed heading rows in
// the button face with raised edges, every cell followed by a grid line (the last ones fall
// outside the sunken border, so the designed size shows every cell whole), and one
// selection that the program sets and the operator can move with the mouse or the keys.
class TextGrid {
 public:
  // Creates the control as a child of parent, at left, top in its client area.
  TextGrid(HWND parent, const ControlDef& definition, HFONT font, int id);
  TextGrid(const TextGrid&) = delete;
  TextGrid& operator=(const TextGrid&) = delete;

  HWND handle() const { return window_; }
  // Cells outside the grid are ignored.
  void set_cell(int col, int row, const std::string& text);
  void set_selection(const GridRect& rect);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  bool on_key(WPARAM key);
  RECT cell_rect(int col, int row) const;
  void paint(HDC dc) const;
  void paint_cell(HDC dc, int col, int row) const;

  int cols_;
  int rows_;
  GridLayout layout_;
  HFONT font_;
  GridCells cells_;
  GridSelection selection_;
  HWND window_ = nullptr;  // destroyed with its parent
};

}  // namespace lumenpoll
