#include "ui/window_definition.h"

#include <algorithm>
#include <climits>

#include "base/operator_texts.h"

namespace lumenpoll {
namespace {

namespace texts = operator_texts;

ControlDef control(std::string name, ControlKind kind, std::string parent, int left, int top,
                   int width, int height, std::string caption = {}) {
  ControlDef c;
  c.name = std::move(name);
  c.kind = kind;
  c.parent = std::move(parent);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.caption = std::move(caption);
  return c;
}

ControlDef label(std::string name, std::string parent, int left, int top, std::string caption) {
  ControlDef c = control(std::move(name), ControlKind::Label, std::move(parent), left, top, 0, 13,
                         std::move(caption));
  c.auto_size = true;
  return c;
}

ControlDef list_caption(std::string name, int left, std::string caption, Edition edition) {
  ControlDef c = label(std::move(name), "GroupBox1", left, 32, std::move(caption));
  if (edition == Edition::Full) {
    c.auto_size = false;
    c.width = 113;
    c.align = TextAlign::Center;
  }
  return c;
}

ControlDef drop_down(std::string name, int left, int tab_order) {
  ControlDef c = control(std::move(name), ControlKind::ComboBox, "GroupBox1", left, 48, 113, 21);
  c.item_height = 13;
  c.tab_order = tab_order;
  return c;
}

ControlDef with_tab(ControlDef c, int tab_order) {
  c.tab_order = tab_order;
  return c;
}

std::vector<ControlDef> controls(Edition edition) {
  ControlDef panel1 = with_tab(control("Panel1", ControlKind::Panel, "", 8, 8, 63, 63), 0);
  ControlDef panel3 = with_tab(control("Panel3", ControlKind::Panel, "", 80, 8, 217, 57), 3);
  panel3.bevel_inner = Bevel::Lowered;
  panel3.bevel_outer = Bevel::None;

  ControlDef memo =
      with_tab(control("Memo1", ControlKind::Memo, "", 8, 176, 169, 22, texts::kCloseHint), 1);
  memo.align = TextAlign::Center;
  memo.button_face = true;
  memo.read_only = true;
  ControlDef button = with_tab(
      control("Button1", ControlKind::Button, "", 184, 176, 113, 25, texts::kViewImages), 2);
  button.has_click_handler = true;

  std::vector<ControlDef> list = {
      panel1,
      control("Image1", ControlKind::Picture, "Panel1", 1, 1, 60, 60),
      panel3,
      label("Label1", "Panel3", 8, 8, texts::kCurrently),
      label("la_fname", "Panel3", 88, 8, texts::kWaitingAtStart),
      label("Label2", "Panel3", 8, 32, texts::kLastOperation),
      label("la_last", "Panel3", 88, 32, texts::kNoLastOperation),
      with_tab(
          control("GroupBox1", ControlKind::GroupBox, "", 8, 80, 289, 81, texts::kPatientGroup), 4),
      list_caption("Label4", 24, texts::kSpecies, edition),
      list_caption("Label5", 152, texts::kRegion, edition),
      drop_down("cb_species", 24, 0),
      drop_down("cb_region", 152, 1),
      memo,
      button,
  };
  if (edition == Edition::Full) {
    list.push_back(with_tab(
        control("GroupBox2", ControlKind::GroupBox, "", 312, 8, 137, 193, texts::kTechniquesGroup),
        5));
    ControlDef grid =
        with_tab(control("sg_tech", ControlKind::Grid, "GroupBox2", 8, 24, 117, 155), 0);
    grid.col_count = 3;
    grid.row_count = 8;
    grid.fixed_rows = 1;
    grid.fixed_cols = 0;
    grid.default_col_width = 37;
    grid.default_row_height = 18;
    list.push_back(grid);
  }
  return list;
}

// The frame a control draws inside its edge: one pixel per panel bevel, two for a group
// box's etched edge.
int frame_width(const ControlDef& frame) {
  switch (frame.kind) {
    case ControlKind::Panel:
      return (frame.bevel_outer != Bevel::None ? 1 : 0) +
             (frame.bevel_inner != Bevel::None ? 1 : 0);
    case ControlKind::GroupBox:
      return 2;
    default:
      return 0;
  }
}

FormDef make_definition(Edition edition) {
  FormDef form;
  form.name = "Form1";
  form.caption = texts::kWindowCaption;
  form.client_width = edition == Edition::Full ? 456 : 304;
  form.client_height = 209;
  form.font_name = "MS Sans Serif";
  form.font_height = 11;
  form.controls = controls(edition);
  return form;
}

}  // namespace

const ControlDef* FormDef::find(const std::string& control_name) const {
  for (const ControlDef& c : controls)
    if (c.name == control_name) return &c;
  return nullptr;
}

std::vector<const ControlDef*> FormDef::children_in_tab_order(const std::string& parent) const {
  std::vector<const ControlDef*> children;
  for (const ControlDef& c : controls)
    if (c.parent == parent) children.push_back(&c);
  std::stable_sort(children.begin(), children.end(), [](const ControlDef* a, const ControlDef* b) {
    const int ta = a->tab_order < 0 ? INT_MAX : a->tab_order;
    const int tb = b->tab_order < 0 ? INT_MAX : b->tab_order;
    return ta < tb;
  });
  return children;
}

int FormDef::text_room(const ControlDef& label) const {
  int right = client_width;
  if (const ControlDef* parent = find(label.parent)) right = parent->width - frame_width(*parent);
  for (const ControlDef& c : controls) {
    if (&c == &label || c.parent != label.parent || c.left <= label.left) continue;
    if (c.top < label.top + label.height && label.top < c.top + c.height)
      right = std::min(right, c.left);
  }
  const int room = right - label.left;
  return label.auto_size ? room : std::min(room, label.width);
}

const FormDef& window_definition(Edition edition) {
  static const FormDef full = make_definition(Edition::Full);
  static const FormDef lite = make_definition(Edition::Lite);
  return edition == Edition::Full ? full : lite;
}

}  // namespace lumenpoll
