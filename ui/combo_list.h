#pragma once

#include <string>
#include <vector>

#include "ui/form_view.h"

namespace lumenpoll {

// A drop-down list: its items and selection, mirrored to the view.
class ComboList {
 public:
  ComboList(FormView& view, std::string name) : view_(view), name_(std::move(name)) {}

  void Clear();
  void Add(const std::string& item);
  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<std::string>& Items() const { return items_; }
  int ItemIndex() const { return index_; }
  // A position outside the list leaves it without a selection.
  void SetItemIndex(int index);

 private:
  FormView& view_;
  std::string name_;
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace lumenpoll
