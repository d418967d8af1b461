#pragma once

#include <windows.h>

#include <string>

#include "ui/window_definition.h"

namespace lumenpoll {

// A panel (bevels, an optional centred caption) or a group box (an etched frame with its
// caption over the top edge): a container that draws itself and passes its children's
// notifications, drawing and colour requests on to the main window, where they are handled.
class FrameControl {
 public:
  // Creates the control as a child of parent, at left, top in its client area.
  FrameControl(HWND parent, const ControlDef& definition, HFONT font, int id);
  FrameControl(const FrameControl&) = delete;
  FrameControl& operator=(const FrameControl&) = delete;

  HWND handle() const { return window_; }
  void set_caption(const std::string& text);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void paint(HDC dc) const;
  void paint_panel(HDC dc, RECT area) const;
  void paint_group_box(HDC dc, RECT area) const;

  ControlKind kind_;
  Bevel inner_;
  Bevel outer_;
  std::string caption_;
  HFONT font_;
  HWND window_ = nullptr;  // destroyed with its parent
};

}  // namespace lumenpoll
