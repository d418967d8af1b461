#pragma once

#include <string>

#include "ui/form_view.h"

namespace lumenpoll {

// The view is built before the window object that handles its events; nothing reaches
// the relay before the window is shown, by which time it is bound.
class EventRelay : public FormEvents {
 public:
  void bind(FormEvents& target) { target_ = &target; }

  void OnShow() override {
    if (target_) target_->OnShow();
  }
  void OnCloseRequest() override {
    if (target_) target_->OnCloseRequest();
  }
  void OnSessionEnd() override {
    if (target_) target_->OnSessionEnd();
  }
  void OnSelect(const std::string& control, int index) override {
    if (target_) target_->OnSelect(control, index);
  }
  void OnChange(const std::string& control, int index) override {
    if (target_) target_->OnChange(control, index);
  }
  void OnClick(const std::string& control) override {
    if (target_) target_->OnClick(control);
  }

 private:
  FormEvents* target_ = nullptr;
};

}  // namespace lumenpoll
