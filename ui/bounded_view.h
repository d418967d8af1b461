#pragma once

#include <cstddef>
#include <string>

#include "ui/form_view.h"

namespace lumenpoll {

// No text the window shows is longer than this: a macro list line of a megabyte would
// otherwise make the display refuse the window, and the program with it. The data keeps
// its full length; only what is shown is cut.
inline constexpr std::size_t kMaxShownText = 1024;

// Passes everything on to the platform's view, each text cut to kMaxShownText characters.
class BoundedView : public FormView {
 public:
  explicit BoundedView(FormView& view) : view_(view) {}

  void SetCaption(const std::string& control, const std::string& text) override;
  void ClearItems(const std::string& control) override;
  void AddItem(const std::string& control, const std::string& text) override;
  void SetItemIndex(const std::string& control, int index) override;
  void SetCell(int col, int row, const std::string& text) override;
  void SetGridSelection(const GridRect& rect) override;
  void CloseWindow() override;

 private:
  FormView& view_;
};

}  // namespace lumenpoll
