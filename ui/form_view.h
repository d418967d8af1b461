#pragma once

#include <string>

namespace lumenpoll {

// The grid's selection: columns left..right of rows top..bottom, all -1 for none.
struct GridRect {
  int left = -1;
  int top = -1;
  int right = -1;
  int bottom = -1;
  bool operator==(const GridRect&) const = default;
};

// What the window shows; built by the platform from the window definition. Controls
// are named as in the definition; texts are single-byte strings in the station's code page.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void SetCaption(const std::string& control, const std::string& text) = 0;
  virtual void ClearItems(const std::string& control) = 0;
  virtual void AddItem(const std::string& control, const std::string& text) = 0;
  // -1 leaves the list without a selection. Triggers no event.
  virtual void SetItemIndex(const std::string& control, int index) = 0;
  virtual void SetCell(int col, int row, const std::string& text) = 0;
  virtual void SetGridSelection(const GridRect& rect) = 0;
  // Hides the window for good: the message loop ends once the current handler returns.
  virtual void CloseWindow() = 0;
};

// What the operator does to the window; the platform calls these.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void OnShow() = 0;
  virtual void OnCloseRequest() = 0;  // close box or system menu
  // The operator's session (or the system) is ending: the program goes whatever happens.
  virtual void OnSessionEnd() = 0;
  virtual void OnSelect(const std::string& control, int index) = 0;
  virtual void OnChange(const std::string& control, int index) = 0;
  virtual void OnClick(const std::string& control) = 0;
};

}  // namespace lumenpoll
