// Needs an X display: run under xvfb-run (see CMakeLists.txt).
#include "platform/fltk/fltk_error_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/fltk/fltk_timer_backend.h"

namespace lumenpoll {
namespace {

// Stands for the operator: acts on the open box a little after it appears.
class Operator {
 public:
  explicit Operator(std::function<void()> act) : act_(std::move(act)) {
    Fl::add_timeout(0.05, fire, this);
  }
  ~Operator() { Fl::remove_timeout(fire, this); }

 private:
  static void fire(void* data) { static_cast<Operator*>(data)->act_(); }
  std::function<void()> act_;
};

std::string modal_caption() {
  return Fl::modal() && Fl::modal()->label() ? Fl::modal()->label() : "";
}

TEST(FltkErrorBox, ShowsModallyUntilClosedWhileTimersGoOn) {
  FltkErrorBox box;
  FltkTimerBackend timers;
  int ticks = 0;
  auto timer = timers.start(10, [&] { ++ticks; });
  std::string caption;
  int ticks_while_open = 0;
  Operator closes([&] {
    caption = modal_caption();
    ticks_while_open = ticks;
    if (Fl::modal()) Fl::modal()->hide();
  });
  box.show("Orvend Image Processing", "Invalid folder.");
  EXPECT_EQ(caption, "Orvend Image Processing");
  EXPECT_GT(ticks_while_open, 0);
  EXPECT_EQ(Fl::modal(), nullptr);
}

TEST(FltkErrorBox, ABoxOpenedInsideAnOpenBoxStacksOnIt) {
  FltkErrorBox box;
  std::vector<std::string> order;
  Operator opens_second([&] {
    Operator closes_second([&] {
      order.push_back("close second");
      Fl::modal()->hide();
    });
    order.push_back("open second");
    box.show("Orvend Image Processing", "File not found.");
    order.push_back("second returned");
    Fl::modal()->hide();  // the first box is modal again
    order.push_back("close first");
  });
  box.show("Orvend Image Processing", "Invalid folder.");
  order.push_back("first returned");
  const std::vector<std::string> expected = {"open second", "close second", "second returned",
                                             "close first", "first returned"};
  EXPECT_EQ(order, expected);
}

TEST(FltkErrorBox, IsPlacedOverItsOwner) {
  Fl_Window owner(300, 200, 456, 209, "owner");
  owner.end();
  owner.show();
  FltkErrorBox box(&owner);
  int box_centre_x = 0;
  int box_centre_y = 0;
  Operator closes([&] {
    Fl_Window* open = Fl::modal();
    box_centre_x = open->x() + open->w() / 2;
    box_centre_y = open->y() + open->h() / 2;
    open->hide();
  });
  box.show("Orvend Image Processing", "Invalid folder.");
  EXPECT_NEAR(box_centre_x, owner.x() + owner.w() / 2, 1);
  EXPECT_NEAR(box_centre_y, owner.y() + owner.h() / 2, 1);
}

}  // namespace
}  // namespace lumenpoll
