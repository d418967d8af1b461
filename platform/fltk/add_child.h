#pragma once

#include <FL/Fl_Group.H>

#include <memory>
#include <utility>

namespace lumenpoll {

// Creates a widget inside parent, which owns it from then on, and returns it.
template <typename W, typename... Args>
W& add_child(Fl_Group& parent, Args&&... args) {
  auto widget = std::make_unique<W>(std::forward<Args>(args)...);
  W& ref = *widget;
  parent.add(widget.release());  // the group owns its children
  return ref;
}

}  // namespace lumenpoll
