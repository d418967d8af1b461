#pragma once

#include <string>

#include "ui/form_view.h"

namespace lumenpoll {

// What the operator does to a view, on its way to the window object, which is made after
// the view it shows itself through: bound once it exists. Nothing comes before the window
// is shown, and the window is shown after.
class ViewEvents {
 public:
  void bind(FormEvents& events) { events_ = &events; }

  void close_request() {
    if (events_) events_->OnCloseRequest();
  }
  void session_end() {
    if (events_) events_->OnSessionEnd();
  }
  void click(const std::string& control) {
    if (events_) events_->OnClick(control);
  }
  // A pick in a list goes out as both events; the window object takes the one it handles.
  void pick(const std::string& control, int index) {
    if (!events_) return;
    events_->OnSelect(control, index);
    events_->OnChange(control, index);
  }

 private:
  FormEvents* events_ = nullptr;
};

}  // namespace lumenpoll
