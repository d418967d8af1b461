#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace lumenpoll {

// Deletes a GDI object (font, bitmap) when dropped; it must be out of every DC by then.
struct GdiDelete {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDelete>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDelete>;

// A font selected into a DC for a scope.
class SelectedFont {
 public:
  SelectedFont(HDC dc, HFONT font) : dc_(dc), old_(::SelectObject(dc, font)) {}
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  ~SelectedFont() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace lumenpoll
