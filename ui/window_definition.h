#pragma once

#include <string>
#include <vector>

#include "base/edition.h"

namespace lumenpoll {

enum class ControlKind { Panel, Picture, Label, GroupBox, ComboBox, Memo, Button, Grid };
enum class TextAlign { Left, Center };
enum class Bevel { None, Lowered, Raised };

// One control of the window, placed in its parent's client area.
struct ControlDef {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string parent;  // empty: the window itself
  int left = 0;
  int top = 0;
  int width = 0;  // labels with auto_size take their caption's width
  int height = 0;
  std::string caption;
  TextAlign align = TextAlign::Left;
  bool auto_size = false;
  int tab_order = -1;  // among its siblings; -1 takes no focus
  Bevel bevel_inner = Bevel::None;
  Bevel bevel_outer = Bevel::Raised;
  int item_height = 0;
  bool button_face = false;  // drawn in the button-face colour, not the window colour
  bool read_only = false;
  int col_count = 0;
  int row_count = 0;
  int fixed_rows = 0;
  int fixed_cols = 0;
  int default_col_width = 0;
  int default_row_height = 0;
  bool has_click_handler = false;
};

struct FormDef {
  std::string name;
  std::string caption;
  int client_width = 0;
  int client_height = 0;
  // A dialog frame, of fixed size, is the only frame the views build.
  bool always_on_top = true;
  bool centred = true;  // on the desktop when shown
  std::string font_name;
  int font_height = 0;  // pixels, as at 96 dpi
  std::vector<ControlDef> controls;

  const ControlDef* find(const std::string& name) const;
  // The controls placed in `parent` (empty: the window), in tab order: toolkits move the
  // focus in creation order. Controls that take no focus keep their place after them.
  std::vector<const ControlDef*> children_in_tab_order(const std::string& parent) const;
  // The pixels a label's text may take from the label's left edge: up to the nearest control
  // on its right in the same parent that shares its rows, else up to its parent's frame. A
  // label of fixed size has its own width. A longer text runs into that control or is cut.
  int text_room(const ControlDef& label) const;
};

// The window of each program, as data from which the platform builds the view.
const FormDef& window_definition(Edition edition);

}  // namespace lumenpoll
