#pragma once

#include <map>
#include <stdexcept>
#include <string>

#include "ui/window_definition.h"

namespace lumenpoll {

// The controls a view builds from its window definition, by name, each with its definition
// and the toolkit's handle (a widget, a window): the walk of the definition, parents before
// their children and siblings in tab order (toolkits move the focus in creation order), the
// checks of a definition (a name given twice, a control outside the window) and the lookups
// the view's calls make. A name or kind the window does not have is a programming error:
// std::logic_error.
template <typename Handle>
class ControlTable {
 public:
  struct Control {
    const ControlDef* definition;
    Handle handle;
  };

  // Calls build(definition, parent's handle) for every control, root for the window's own.
  template <typename Build>
  ControlTable(const FormDef& form, Handle root, Build&& build) {
    add_children(form, "", root, build);
    if (by_name_.size() != form.controls.size())
      throw std::logic_error("Window definition has controls outside the window");
  }

  // Null when the window has no such control.
  const Control* find(const std::string& name) const {
    const auto found = by_name_.find(name);
    return found == by_name_.end() ? nullptr : &found->second;
  }
  const Control& get(const std::string& name) const {
    const Control* control = find(name);
    if (control == nullptr) throw std::logic_error("The window has no control " + name);
    return *control;
  }
  const Control& get(const std::string& name, ControlKind kind) const {
    const Control& control = get(name);
    if (control.definition->kind != kind)
      throw std::logic_error("Control " + name + " is of another kind");
    return control;
  }
  // The control of a handle; null for one the window did not build from its definition.
  const Control* of(Handle handle) const {
    const auto found = by_handle_.find(handle);
    return found == by_handle_.end() ? nullptr : &by_name_.at(found->second);
  }

 private:
  template <typename Build>
  void add_children(const FormDef& form, const std::string& parent, Handle parent_handle,
                    Build& build) {
    for (const ControlDef* def : form.children_in_tab_order(parent)) {
      const Handle handle = build(*def, parent_handle);
      if (!by_name_.emplace(def->name, Control{def, handle}).second)
        throw std::logic_error("Window definition names " + def->name + " twice");
      by_handle_[handle] = def->name;
      if (def->kind == ControlKind::Panel || def->kind == ControlKind::GroupBox)
        add_children(form, def->name, handle, build);
    }
  }

  std::map<std::string, Control> by_name_;
  std::map<Handle, std::string> by_handle_;
};

// Which controls show a caption of their own; SetCaption on any other is a programming error.
inline void require_caption(const ControlDef& def) {
  switch (def.kind) {
    case ControlKind::Label:
    case ControlKind::Memo:
    case ControlKind::Button:
    case ControlKind::Panel:
    case ControlKind::GroupBox:
      return;
    case ControlKind::Picture:
    case ControlKind::ComboBox:
    case ControlKind::Grid:
      break;
  }
  throw std::logic_error("Control " + def.name + " has no caption");
}

}  // namespace lumenpoll
