#include "platform/win32/technique_grid.h"

#include <windowsx.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/window_class.h"

namespace lumenpoll {
namespace {

constexpr const char* kClassName = "LumenpollGrid";
constexpr int kLine = 1;
constexpr int kTextInset = 2;
constexpr COLORREF kGridLine = RGB(0xC0, 0xC0, 0xC0);

void fill(HDC dc, const RECT& area, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace

TechniqueGrid::TechniqueGrid(HWND parent, const ControlDef& definition, HFONT font, int id)
    : cols_(definition.col_count),
      rows_(definition.row_count),
      col_width_(definition.default_col_width),
      row_height_(definition.default_row_height),
      font_(font),
      cells_(cols_, rows_),
      selection_(cols_, rows_, definition.fixed_cols, definition.fixed_rows) {
  register_window_class(kClassName, procedure);
  window_ = create_child_window(parent, definition, id,
                                {kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE, "", -1, this});
}

void TechniqueGrid::set_cell(int col, int row, const std::string& text) {
  if (!cells_.set(col, row, text)) return;
  const RECT area = cell_rect(col, row);
  ::InvalidateRect(window_, &area, FALSE);
}

void TechniqueGrid::set_selection(const GridRect& rect) {
  selection_.set(rect);
  ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TechniqueGrid::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TechniqueGrid* self = window_object<TechniqueGrid>(window, message, lparam);
  if (self == nullptr || self->window_ != window)  // still being created
    return ::DefWindowProcA(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT TechniqueGrid::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      ::SetFocus(window_);
      GridSelection::Cell cell;
      cell_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), cell);  // none: outside the cells
      if (selection_.press(cell)) {
        ::SetCapture(window_);
        ::InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      GridSelection::Cell cell;
      if (::GetCapture() == window_ && cell_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam), cell) &&
          selection_.drag(cell))
        ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    case WM_LBUTTONUP:
      selection_.release();
      if (::GetCapture() == window_) ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      selection_.release();
      return 0;
    case WM_KEYDOWN:
      if (on_key(wparam)) return 0;
      break;
    case WM_PAINT: {
      const PaintDC dc(window_);
      paint(dc.get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted
    default:
      break;
  }
  return ::DefWindowProcA(window_, message, wparam, lparam);
}

bool TechniqueGrid::cell_at(int x, int y, GridSelection::Cell& cell) const {
  if (x < 0 || y < 0) return false;
  const int col = x / (col_width_ + kLine);
  const int row = y / (row_height_ + kLine);
  if (col >= cols_ || row >= rows_) return false;
  cell = {col, row};
  return true;
}

bool TechniqueGrid::on_key(WPARAM key) {
  using Move = GridSelection::Move;
  static constexpr GridSelection::Key kKeys[] = {
      {VK_LEFT, Move::Left}, {VK_RIGHT, Move::Right}, {VK_UP, Move::Up},
      {VK_DOWN, Move::Down}, {VK_HOME, Move::Home},   {VK_END, Move::End},
  };
  const std::optional<Move> move = GridSelection::move_of(static_cast<int>(key), kKeys);
  const bool extend = ::GetKeyState(VK_SHIFT) < 0;
  if (!move || !selection_.move(*move, extend)) return false;
  ::InvalidateRect(window_, nullptr, FALSE);
  return true;
}

// The cell's own pixels, without the grid line after it.
RECT TechniqueGrid::cell_rect(int col, int row) const {
  const int left = col * (col_width_ + kLine);
  const int top = row * (row_height_ + kLine);
  return RECT{left, top, left + col_width_, top + row_height_};
}

void TechniqueGrid::paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(window_, &client);
  fill(dc, client, ::GetSysColor(COLOR_WINDOW));
  const SelectedFont font(dc, font_);
  for (int row = 0; row < rows_; ++row)
    for (int col = 0; col < cols_; ++col) paint_cell(dc, col, row);
}

void TechniqueGrid::paint_cell(HDC dc, int col, int row) const {
  RECT area = cell_rect(col, row);
  const bool fixed = selection_.is_fixed(col, row);
  const GridSelection::Cell current = selection_.current();
  const bool focus_cell = ::GetFocus() == window_ && col == current.col && row == current.row;
  const bool highlighted = !fixed && selection_.selected(col, row) && !focus_cell;

  const RECT right_line{area.right, area.top, area.right + kLine, area.bottom + kLine};
  const RECT bottom_line{area.left, area.bottom, area.right + kLine, area.bottom + kLine};
  const COLORREF line = fixed ? ::GetSysColor(COLOR_WINDOWFRAME) : kGridLine;
  fill(dc, right_line, line);
  fill(dc, bottom_line, line);

  if (fixed) {
    fill(dc, area, ::GetSysColor(COLOR_BTNFACE));
    RECT edge = area;
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  } else {
    fill(dc, area, ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  const std::string& text = cells_.at(col, row);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::ExtTextOutA(dc, area.left + kTextInset, area.top + kTextInset, ETO_CLIPPED, &area, text.data(),
                static_cast<UINT>(text.size()), nullptr);
  ::SetBkMode(dc, OPAQUE);
  if (focus_cell && !fixed) ::DrawFocusRect(dc, &area);
}

}  // namespace lumenpoll
