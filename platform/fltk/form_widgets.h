#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Menu_Item.H>

#include <limits>
#include <string>
#include <vector>

namespace lumenpoll {

// The window's controls as the station draws them, in the station's face at the size
// given. Texts given to them are UTF-8.

// A label: frameless text, clipped to its parent as a Windows child control is. An
// auto-sized label takes the width of its text whenever the text changes, up to its room
// (FormDef::text_room); a text wider than the room is drawn shortened (fit_text), while the
// label keeps it whole.
class TextLabel : public Fl_Box {
 public:
  // room: none given, the text is never shortened (a wrapped message's label).
  TextLabel(int x, int y, int w, int h, Fl_Fontsize size, bool auto_size, Fl_Align align,
            int room = std::numeric_limits<int>::max());

  // text: single-byte, Windows-1252.
  void set_text(const std::string& text);
  // What is drawn of it, in UTF-8.
  std::string shown_text() const;
  void draw() override;

 private:
  bool auto_size_;
  int room_;
  std::string text_;
};

// A read-only one-line text box. It takes the keyboard focus like an edit control but
// nothing typed changes it; the caret keys stay in it.
class MemoBox : public Fl_Box {
 public:
  MemoBox(int x, int y, int w, int h, Fl_Fontsize size, Fl_Align align);

  int handle(int event) override;
  void draw() override;
};

// A group box: an etched frame with its caption over the top edge, near the left.
class GroupFrame : public Fl_Group {
 public:
  GroupFrame(int x, int y, int w, int h, Fl_Fontsize size);

  void set_text(const std::string& utf8);
  void draw() override;
};

// A drop-down list without typing. Items and selection set here trigger no callback;
// the callback runs when the operator picks an item, from the list or with the arrow,
// Home and End keys.
class DropDownList : public Fl_Choice {
 public:
  DropDownList(int x, int y, int w, int h, Fl_Fontsize size);

  int handle(int event) override;

  void clear_items();
  void add_item(const std::string& utf8);
  // -1: no selection.
  void select(int index);
  int selected() const { return value(); }
  int item_count() const { return static_cast<int>(texts_.size()); }

 private:
  void rebuild(int index);
  // The item a navigation key moves to, or -2 for a key that is not one.
  int key_target(int key) const;

  std::vector<std::string> texts_;
  std::vector<Fl_Menu_Item> items_;
};

// A push button; Enter presses it while it has the focus, as on the station.
class PushButton : public Fl_Button {
 public:
  PushButton(int x, int y, int w, int h, Fl_Fontsize size);

  int handle(int event) override;
};

// The box type that draws a panel's two bevels.
Fl_Boxtype panel_box(bool outer_raised, bool outer_lowered, bool inner_raised, bool inner_lowered);

}  // namespace lumenpoll
