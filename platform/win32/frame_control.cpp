#include "platform/win32/frame_control.h"

#include "platform/common/group_box_metrics.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/window_class.h"

namespace lumenpoll {
namespace {

constexpr const char* kClassName = "LumenpollFrame";

// One-pixel bevels in the highlight and shadow colours.
UINT edge_of(Bevel bevel) {
  return bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
}

void draw_bevel(HDC dc, RECT& area, Bevel bevel) {
  if (bevel == Bevel::None) return;
  ::DrawEdge(dc, &area, edge_of(bevel), BF_RECT);
  ::InflateRect(&area, -1, -1);
}

bool passed_to_main_window(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return true;
    default:
      return false;
  }
}

}  // namespace

FrameControl::FrameControl(HWND parent, const ControlDef& definition, HFONT font, int id)
    : kind_(definition.kind),
      inner_(definition.bevel_inner),
      outer_(definition.bevel_outer),
      caption_(definition.caption),
      font_(font) {
  register_window_class(kClassName, procedure);
  window_ = create_child_window(parent, definition, id,
                                {kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, "", -1, this});
}

void FrameControl::set_caption(const std::string& text) {
  caption_ = text;
  ::InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK FrameControl::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const FrameControl* self = window_object<FrameControl>(window, message, lparam);
  if (passed_to_main_window(message))
    return ::SendMessageA(::GetAncestor(window, GA_ROOT), message, wparam, lparam);
  if (message == WM_PAINT && self != nullptr) {
    const PaintDC dc(window);
    self->paint(dc.get());
    return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void FrameControl::paint(HDC dc) const {
  RECT area{};
  ::GetClientRect(window_, &area);
  const SelectedFont font(dc, font_);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  if (kind_ == ControlKind::GroupBox)
    paint_group_box(dc, area);
  else
    paint_panel(dc, area);
}

void FrameControl::paint_panel(HDC dc, RECT area) const {
  draw_bevel(dc, area, outer_);
  draw_bevel(dc, area, inner_);
  if (caption_.empty()) return;
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, caption_.data(), static_cast<int>(caption_.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The frame runs through the middle of the caption's line; the caption covers it.
void FrameControl::paint_group_box(HDC dc, RECT area) const {
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  RECT frame = area;
  frame.top = metrics.tmHeight / 2;
  ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption_.empty()) return;
  ::SetBkMode(dc, OPAQUE);
  RECT text = area;
  text.left = kGroupCaptionLeft;
  ::DrawTextA(dc, caption_.data(), static_cast<int>(caption_.size()), &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace lumenpoll
