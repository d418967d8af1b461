#include "ui/combo_list.h"

namespace lumenpoll {

void ComboList::Clear() {
  items_.clear();
  index_ = -1;
  view_.ClearItems(name_);
}

void ComboList::Add(const std::string& item) {
  items_.push_back(item);
  view_.AddItem(name_, item);
}

void ComboList::SetItemIndex(int index) {
  index_ = index >= 0 && index < Count() ? index : -1;
  view_.SetItemIndex(name_, index_);
}

}  // namespace lumenpoll
