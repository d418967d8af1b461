#include "platform/win32/text_grid.h"

#include <windowsx.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/window_class.h"

namespace lumenpoll {
namespace {

constexpr const char* kClassName = "LumenpollGrid";
constexpr COLORREF kGridLine = RGB(GridLayout::kLineRgb >> 16, (GridLayout::kLineRgb >> 8) & 0xFF,
                                   GridLayout::kLineRgb & 0xFF);

void fill(HDC dc, const RECT& area, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

}  // namespace

TextGrid::TextGrid(HWND parent, const ControlDef& definition, HFONT font, int id)
    : cols_(definition.col_count),
      rows_(definition.row_count),
      layout_(cols_, rows_, definition.default_col_width, definition.default_row_height),
      font_(font),
      cells_(cols_, rows_),
      selection_(cols_, rows_, definition.fixed_cols, definition.fixed_rows) {
  register_window_class(kClassName, procedure);
  window_ = create_child_window(parent, definition, id,
                                {kClassName, WS_TABSTOP, WS_EX_CLIENTEDGE, "", -1, this});
}

void TextGrid::set_cell(int col, int row, const std::string& text) {
  if (!cells_.set(col, row, text)) return;
  const RECT area = cell_rect(col, row);
  ::InvalidateRect(window_, &area, FALSE);
}

void TextGrid::set_selection(const GridRect& rect) {
  selection_.set(rect);
  ::InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TextGrid::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TextGrid* self = window_object<TextGrid>(window, message, lparam);
  if (self == nullptr || self->window_ != window)  // still being created
    return ::DefWindowProcA(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT TextGrid::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      ::SetFocus(window_);
      // Off the cells, a press selects nothing.
      const auto cell = layout_.cell_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (selection_.press(cell.value_or(GridSelection::Cell{}))) {
        ::SetCapture(window_);
        ::InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      const auto cell = layout_.cell_at(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      if (::GetCapture() == window_ && cell && selection_.drag(*cell))
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

bool TextGrid::on_key(WPARAM key) {
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

RECT TextGrid::cell_rect(int col, int row) const {
  const GridLayout::Box box = layout_.cell_box(col, row);
  return RECT{box.left, box.top, box.left + box.width, box.top + box.height};
}

void TextGrid::paint(HDC dc) const {
  RECT client{};
  ::GetClientRect(window_, &client);
  fill(dc, client, ::GetSysColor(COLOR_WINDOW));
  const SelectedFont font(dc, font_);
  for (int row = 0; row < rows_; ++row)
    for (int col = 0; col < cols_; ++col) paint_cell(dc, col, row);
}

void TextGrid::paint_cell(HDC dc, int col, int row) const {
  RECT area = cell_rect(col, row);
  const CellLook look = cell_look(selection_, col, row, ::GetFocus() == window_);
  constexpr int kLine = GridLayout::kLine;
  const RECT right_line{area.right, area.top, area.right + kLine, area.bottom + kLine};
  const RECT bottom_line{area.left, area.bottom, area.right + kLine, area.bottom + kLine};
  const COLORREF line = look.fixed ? ::GetSysColor(COLOR_WINDOWFRAME) : kGridLine;
  fill(dc, right_line, line);
  fill(dc, bottom_line, line);

  if (look.fixed) {
    fill(dc, area, ::GetSysColor(COLOR_BTNFACE));
    RECT edge = area;
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  } else {
    fill(dc, area, ::GetSysColor(look.highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  const std::string& text = cells_.at(col, row);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(look.highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::ExtTextOutA(dc, area.left + GridLayout::kTextInset, area.top + GridLayout::kTextInset,
                ETO_CLIPPED, &area, text.data(), static_cast<UINT>(text.size()), nullptr);
  ::SetBkMode(dc, OPAQUE);
  if (look.focus) ::DrawFocusRect(dc, &area);
}

}  // namespace lumenpoll
