#pragma once

#include <string>

#include "base/application.h"

class Fl_Window;

namespace lumenpoll {

// The application's error box: stop icon, the text, one OK button. Modal, placed over
// the owner window and kept above it; show() returns once the operator closes it and
// keeps the program's timers firing meanwhile. Boxes opened inside an open one stack.
class FltkErrorBox : public ErrorBox {
 public:
  // owner: not owned; may be null or not shown, then the box is centred on the screen.
  explicit FltkErrorBox(const Fl_Window* owner = nullptr) : owner_(owner) {}

  // caption and text: Windows-1252.
  void show(const std::string& caption, const std::string& text) override;

 private:
  const Fl_Window* owner_;
};

}  // namespace lumenpoll
