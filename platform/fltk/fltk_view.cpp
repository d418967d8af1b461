#include "platform/fltk/fltk_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>

#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/common/control_table.h"
#include "platform/common/cp1252.h"
#include "platform/fltk/add_child.h"
#include "platform/fltk/form_widgets.h"
#include "platform/fltk/jpeg_logo.h"
#include "platform/fltk/literal_label.h"
#include "platform/fltk/look.h"
#include "platform/fltk/main_window.h"
#include "platform/fltk/text_grid.h"
#include "platform/fltk/x11_control_texts.h"
#include "platform/fltk/x11_window_hints.h"

namespace lumenpoll {
namespace {

void ignore_click(Fl_Widget*, void*) {}

Fl_Align text_align(TextAlign align) {
  return align == TextAlign::Center ? FL_ALIGN_CENTER : FL_ALIGN_LEFT;
}

}  // namespace

FltkView::FltkView(const FormDef& definition)
    : definition_(definition), logo_(load_logo()), window_(make_window(definition)) {
  // A control's place is in its parent's client area; FLTK's are the window's coordinates.
  controls_ = std::make_unique<Controls>(definition, window_.get(),
                                         [this](const ControlDef& def, Fl_Widget* parent) {
                                           const bool in_window = parent == window_.get();
                                           const int x = (in_window ? 0 : parent->x()) + def.left;
                                           const int y = (in_window ? 0 : parent->y()) + def.top;
                                           return &build(*parent->as_group(), def, x, y);
                                         });
  control_texts_ = std::make_unique<X11ControlTexts>(
      *window_, definition, [this](const std::string& name) { return widget(name); });
}

FltkView::~FltkView() = default;

std::unique_ptr<MainWindow> FltkView::make_window(const FormDef& definition) {
  use_station_look();          // opens the display, which measuring texts needs
  Fl_Group::current(nullptr);  // widgets are added to their parents explicitly
  auto window =
      std::make_unique<MainWindow>(definition.client_width, definition.client_height,
                                   definition.always_on_top, [this] { events_.close_request(); });
  window->copy_label(cp1252_to_utf8(definition.caption).c_str());
  window->color(kButtonFace);
  return window;
}

Fl_Widget& FltkView::build(Fl_Group& parent, const ControlDef& def, int x, int y) {
  const std::string caption = cp1252_to_utf8(def.caption);
  const Fl_Fontsize size = definition_.font_height;
  switch (def.kind) {
    case ControlKind::Panel: {
      auto& panel = add_child<Fl_Group>(parent, x, y, def.width, def.height);
      panel.end();
      panel.box(panel_box(def.bevel_outer == Bevel::Raised, def.bevel_outer == Bevel::Lowered,
                          def.bevel_inner == Bevel::Raised, def.bevel_inner == Bevel::Lowered));
      panel.color(kButtonFace);
      panel.labeltype(kLiteralLabel);
      panel.labelfont(kFontFace);
      panel.labelsize(size);
      panel.align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
      panel.copy_label(caption.c_str());
      return panel;
    }
    case ControlKind::Picture: {
      auto& picture = add_child<Fl_Box>(parent, x, y, def.width, def.height);
      picture.box(FL_NO_BOX);
      picture.align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT | FL_ALIGN_CLIP);
      picture.image(logo_.get());
      return picture;
    }
    case ControlKind::Label: {
      const int height = def.height > 0 ? def.height : size + 2;
      auto& label = add_child<TextLabel>(parent, x, y, def.width, height, size, def.auto_size,
                                         text_align(def.align), definition_.text_room(def));
      label.set_text(def.caption);
      return label;
    }
    case ControlKind::GroupBox: {
      auto& frame = add_child<GroupFrame>(parent, x, y, def.width, def.height, size);
      frame.set_text(caption);
      return frame;
    }
    case ControlKind::ComboBox: {
      auto& list = add_child<DropDownList>(parent, x, y, def.width, def.height, size);
      list.callback(on_pick, this);
      return list;
    }
    case ControlKind::Memo: {
      auto& memo =
          add_child<MemoBox>(parent, x, y, def.width, def.height, size, text_align(def.align));
      if (!def.button_face) memo.color(kWindowWhite);
      memo.copy_label(caption.c_str());
      return memo;
    }
    case ControlKind::Button: {
      auto& button = add_child<PushButton>(parent, x, y, def.width, def.height, size);
      button.copy_label(caption.c_str());
      if (def.has_click_handler)
        button.callback(on_click, this);
      else
        button.callback(ignore_click);
      return button;
    }
    case ControlKind::Grid: {
      const TextGrid::Layout layout{def.col_count,  def.row_count,         def.fixed_rows,
                                    def.fixed_cols, def.default_col_width, def.default_row_height};
      auto& grid = add_child<TextGrid>(parent, x, y, def.width, def.height, layout, size);
      grid_ = &grid;
      return grid;
    }
  }
  throw std::logic_error("Unknown control kind for " + def.name);
}

void FltkView::Show() {
  prepare_window_hints();
  if (definition_.centred) {
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    window_->position(sx + (sw - window_->w()) / 2, sy + (sh - window_->h()) / 2);
  }
  window_->show();
}

void FltkView::BringToFront() {
  if (!window_->shown()) return;
  request_activation(*window_);
  // An open error box stays over its owner.
  if (Fl_Window* box = Fl::modal(); box != nullptr && box != window_.get())
    request_activation(*box);
}

const Fl_Window& FltkView::window() const {
  return *window_;
}

Fl_Widget* FltkView::widget(const std::string& name) const {
  const auto* control = controls_->find(name);
  return control == nullptr ? nullptr : control->handle;
}

template <typename W>
W& FltkView::control_as(const std::string& name, ControlKind kind) const {
  return *static_cast<W*>(controls_->get(name, kind).handle);
}

TextGrid& FltkView::grid() const {
  if (grid_ == nullptr) throw std::logic_error("The window has no grid");
  return *grid_;
}

void FltkView::SetCaption(const std::string& name, const std::string& text) {
  const auto& control = controls_->get(name);
  require_caption(*control.definition);
  const std::string utf8 = cp1252_to_utf8(text);
  Fl_Widget* widget = control.handle;
  // A label may change its size, a group box draws its caption itself; the others show
  // their widget's label.
  if (control.definition->kind == ControlKind::Label)
    static_cast<TextLabel*>(widget)->set_text(text);
  else if (control.definition->kind == ControlKind::GroupBox)
    static_cast<GroupFrame*>(widget)->set_text(utf8);
  else
    widget->copy_label(utf8.c_str());
}

void FltkView::ClearItems(const std::string& name) {
  control_as<DropDownList>(name, ControlKind::ComboBox).clear_items();
}

void FltkView::AddItem(const std::string& name, const std::string& text) {
  control_as<DropDownList>(name, ControlKind::ComboBox).add_item(cp1252_to_utf8(text));
}

void FltkView::SetItemIndex(const std::string& name, int index) {
  control_as<DropDownList>(name, ControlKind::ComboBox).select(index);
}

void FltkView::SetCell(int col, int row, const std::string& text) {
  grid().set_cell(col, row, cp1252_to_utf8(text));
}

void FltkView::SetGridSelection(const GridRect& rect) {
  grid().set_selection(rect);
}

void FltkView::CloseWindow() {
  window_->hide();
}

void FltkView::on_pick(Fl_Widget* widget, void* data) {
  auto* view = static_cast<FltkView*>(data);
  const std::string name = view->controls_->of(widget)->definition->name;
  view->events_.pick(name, static_cast<DropDownList*>(widget)->selected());
}

void FltkView::on_click(Fl_Widget* widget, void* data) {
  auto* view = static_cast<FltkView*>(data);
  view->events_.click(view->controls_->of(widget)->definition->name);
}

}  // namespace lumenpoll
