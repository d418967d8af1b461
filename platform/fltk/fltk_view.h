#pragma once

#include <memory>
#include <string>

#include "platform/common/control_table.h"
#include "platform/common/view_events.h"
#include "ui/form_view.h"
#include "ui/window_definition.h"

class Fl_Group;
class Fl_RGB_Image;
class Fl_Widget;
class Fl_Window;

namespace lumenpoll {

class MainWindow;
class TextGrid;
class X11ControlTexts;

// The window built from its definition with FLTK, showing what the core sets and passing
// what the operator does to events. Texts cross here from Windows-1252 to UTF-8.
class FltkView : public FormView {
 public:
  // Opens the display and builds the window, hidden.
  explicit FltkView(const FormDef& definition);
  FltkView(const FltkView&) = delete;
  FltkView& operator=(const FltkView&) = delete;
  ~FltkView() override;

  // What the operator does goes to events from now on; events must outlive the view.
  void bind(FormEvents& events) { events_.bind(events); }
  // Centres the window on the screen and shows it.
  void Show();
  // Brings the shown window (or the box open over it) in front of the others.
  void BringToFront();
  const Fl_Window& window() const;
  // The widget built for a control; null when the definition has no such control.
  Fl_Widget* widget(const std::string& name) const;

  // FormView. A control the definition does not have, or of another kind, is a
  // programming error: std::logic_error.
  void SetCaption(const std::string& control, const std::string& text) override;
  void ClearItems(const std::string& control) override;
  void AddItem(const std::string& control, const std::string& text) override;
  void SetItemIndex(const std::string& control, int index) override;
  void SetCell(int col, int row, const std::string& text) override;
  void SetGridSelection(const GridRect& rect) override;
  void CloseWindow() override;

 private:
  using Controls = ControlTable<Fl_Widget*>;  // the widgets are owned by their parent groups

  std::unique_ptr<MainWindow> make_window(const FormDef& definition);
  Fl_Widget& build(Fl_Group& parent, const ControlDef& def, int x, int y);
  template <typename W>
  W& control_as(const std::string& name, ControlKind kind) const;
  TextGrid& grid() const;

  static void on_pick(Fl_Widget* widget, void* view);
  static void on_click(Fl_Widget* widget, void* view);

  const FormDef& definition_;
  ViewEvents events_;
  std::unique_ptr<Fl_RGB_Image> logo_;  // outlives the window that shows it
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<Controls> controls_;
  TextGrid* grid_ = nullptr;  // owned by its group box; null without a chart
  // Reads the widgets, so it goes before them.
  std::unique_ptr<X11ControlTexts> control_texts_;
};

}  // namespace lumenpoll
