// Needs an X display: run under xvfb-run (see CMakeLists.txt).
#include "platform/fltk/fltk_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fltk/form_widgets.h"
#include "platform/fltk/text_grid.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

class RecordingEvents : public FormEvents {
 public:
  std::vector<std::string> calls;

  void OnShow() override { calls.push_back("show"); }
  void OnCloseRequest() override { calls.push_back("close"); }
  void OnSessionEnd() override { calls.push_back("session end"); }
  void OnSelect(const std::string& c, int i) override {
    calls.push_back("select " + c + " " + std::to_string(i));
  }
  void OnChange(const std::string& c, int i) override {
    calls.push_back("change " + c + " " + std::to_string(i));
  }
  void OnClick(const std::string& c) override { calls.push_back("click " + c); }
};

struct Rect {
  int x, y, w, h;
  bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << r.x << "," << r.y << " " << r.w << "x" << r.h;
}

Rect rect_of(const Fl_Widget* w) {
  return {w->x(), w->y(), w->w(), w->h()};
}

class FltkViewTest : public ::testing::TestWithParam<Edition> {
 protected:
  FltkViewTest() { view.bind(events); }
  const FormDef& definition() const { return window_definition(GetParam()); }
  RecordingEvents events;
  FltkView view{definition()};

  Fl_Choice& choice(const char* name) { return *static_cast<Fl_Choice*>(view.widget(name)); }
  TextGrid& grid() { return *static_cast<TextGrid*>(view.widget("sg_tech")); }
};

INSTANTIATE_TEST_SUITE_P(BothEditions, FltkViewTest,
                         ::testing::Values(Edition::Full, Edition::Lite));

TEST_P(FltkViewTest, TheWindowHasTheDefinedClientAreaAndCaption) {
  const Fl_Window& window = view.window();
  EXPECT_EQ(window.w(), definition().client_width);
  EXPECT_EQ(window.h(), 209);
  EXPECT_STREQ(window.label(), "Velmora Imaging Processing");
  EXPECT_EQ(view.widget("sg_tech") != nullptr, GetParam() == Edition::Full);
}

TEST_P(FltkViewTest, ControlsSitWhereTheDefinitionPutsThemRelativeToTheirParents) {
  const Rect memo{8, 176, 169, 22};
  const Rect button{184, 176, 113, 25};
  const Rect image{8 + 1, 8 + 1, 60, 60};
  const Rect species{8 + 24, 80 + 48, 113, 21};
  const Rect region{8 + 152, 80 + 48, 113, 21};
  const Rect group_box{8, 80, 289, 81};
  EXPECT_EQ(rect_of(view.widget("Memo1")), memo);
  EXPECT_EQ(rect_of(view.widget("Button1")), button);
  EXPECT_EQ(rect_of(view.widget("Image1")), image);
  EXPECT_EQ(rect_of(view.widget("cb_species")), species);
  EXPECT_EQ(rect_of(view.widget("cb_region")), region);
  EXPECT_EQ(rect_of(view.widget("GroupBox1")), group_box);
  EXPECT_EQ(view.widget("la_fname")->x(), 80 + 88);
  EXPECT_EQ(view.widget("la_fname")->y(), 8 + 8);
  if (GetParam() == Edition::Full) {
    const Rect chart{312 + 8, 8 + 24, 117, 155};
    EXPECT_EQ(rect_of(view.widget("sg_tech")), chart);
  }
  for (const ControlDef& c : definition().controls)
    EXPECT_NE(view.widget(c.name), nullptr) << c.name;
}

TEST_P(FltkViewTest, ListCaptionsAreCentredOverTheListOrSizedToTheirText) {
  const Fl_Widget& species = *view.widget("Label4");
  EXPECT_STREQ(species.label(), "Species:");
  EXPECT_EQ(species.x(), 8 + 24);
  if (GetParam() == Edition::Full) {
    EXPECT_EQ(species.w(), 113);
    EXPECT_EQ(species.align() & (FL_ALIGN_LEFT | FL_ALIGN_RIGHT), 0);
  } else {
    EXPECT_GT(species.w(), 20);
    EXPECT_LT(species.w(), 113);
  }
}

TEST_P(FltkViewTest, StartTextsAreTheDefinitionsOwn) {
  EXPECT_STREQ(view.widget("la_fname")->label(), "Waiting for  Image File");
  EXPECT_STREQ(view.widget("la_last")->label(), "None");
  EXPECT_STREQ(view.widget("Memo1")->label(), "Close Window to View Images.");
  EXPECT_STREQ(view.widget("Button1")->label(), "View Images");
  EXPECT_STREQ(view.widget("GroupBox1")->label(), " Patient Type / Region ");
}

TEST_P(FltkViewTest, TheLogoIsShown) {
  const auto* picture = static_cast<const Fl_Box*>(view.widget("Image1"));
  ASSERT_NE(picture->image(), nullptr);
  EXPECT_EQ(picture->image()->w(), 60);
  EXPECT_EQ(picture->image()->h(), 60);
}

TEST_P(FltkViewTest, AutoSizedLabelsFollowTheirTextConvertedToUtf8) {
  Fl_Widget& status = *view.widget("la_fname");
  view.SetCaption("la_fname", "Processing shot01.nef 2");
  const int long_width = status.w();
  view.SetCaption("la_fname", "Caf\xE9");
  EXPECT_STREQ(status.label(), "Caf\xC3\xA9");
  EXPECT_LT(status.w(), long_width);
  EXPECT_GT(status.w(), 0);
}

// A camera's own name and longer ones leave the stage and the name's end on screen, within
// the label's room; the label keeps its whole text, which the window's texts property shows.
TEST_P(FltkViewTest, AStatusTooWideForItsRoomIsDrawnShortenedInTheName) {
  auto& status = *static_cast<TextLabel*>(view.widget("la_fname"));
  const int room = definition().text_room(*definition().find("la_fname"));
  // What the shown text takes, measured as a label of the same look.
  const auto width_of = [&](const std::string& text) {
    Fl_Box measured(0, 0, 0, 0);
    measured.labeltype(status.labeltype());
    measured.labelfont(status.labelfont());
    measured.labelsize(status.labelsize());
    measured.label(text.c_str());
    int w = 0, h = 0;
    measured.measure_label(w, h);
    return w;
  };
  for (const std::string& image : {std::string("shot0001"), std::string("DSC_0001"),
                                   std::string(39, 'n') + "1", std::string(239, 'n') + "1"}) {
    const std::string text = "Processing " + image + ".nef 4";
    view.SetCaption("la_fname", text);
    const std::string shown = status.shown_text();
    SCOPED_TRACE(shown);
    EXPECT_EQ(status.label(), text);
    EXPECT_LE(width_of(shown), room);
    EXPECT_LE(status.w(), room);
    EXPECT_TRUE(shown.starts_with("Processing ") && shown.ends_with("1.nef 4"));
    EXPECT_EQ(shown == text, image == "shot0001");
  }
}

TEST_P(FltkViewTest, ListsTakeItemsAndSelectionsWithoutReportingThem) {
  Fl_Choice& list = choice("cb_species");
  view.AddItem("cb_species", "Canine");
  view.AddItem("cb_species", "Equine \x96 Caf\xE9");
  view.SetItemIndex("cb_species", 1);
  EXPECT_EQ(list.size(), 3);  // two items and the terminator
  EXPECT_EQ(list.value(), 1);
  EXPECT_STREQ(list.text(1), "Equine \xE2\x80\x93 Caf\xC3\xA9");

  view.AddItem("cb_species", "Feline");  // keeps the selection
  EXPECT_EQ(list.value(), 1);
  view.SetItemIndex("cb_species", -1);
  EXPECT_EQ(list.value(), -1);
  view.SetItemIndex("cb_species", 0);
  view.ClearItems("cb_species");
  EXPECT_EQ(list.size(), 1);
  EXPECT_EQ(list.value(), -1);
  EXPECT_TRUE(events.calls.empty());
}

TEST_P(FltkViewTest, OperatorActionsReachTheEvents) {
  view.AddItem("cb_region", "Thorax LAT ");
  view.AddItem("cb_region", "Skull DV ");
  Fl_Choice& region = choice("cb_region");
  region.value(1);
  region.do_callback();
  view.widget("Button1")->do_callback();
  Fl::e_number = 0;
  const_cast<Fl_Window&>(view.window()).do_callback();  // the close box
  const std::vector<std::string> expected = {"select cb_region 1", "change cb_region 1",
                                             "click Button1", "close"};
  EXPECT_EQ(events.calls, expected);
}

TEST_P(FltkViewTest, NavigationKeysOnAFocusedListPickLikeTheMouse) {
  for (const char* item : {"Canine", "Feline", "Equine"}) view.AddItem("cb_species", item);
  Fl_Choice& list = choice("cb_species");
  Fl::focus(&list);
  const auto press = [&](int key) {
    Fl::e_keysym = key;
    list.handle(FL_KEYBOARD);
  };
  press(FL_Down);  // from no selection to the first item
  press(FL_Down);
  press(FL_End);
  press(FL_Down);  // already on the last: a pick of it again, which the window ignores
  Fl::e_keysym = 0;
  Fl::focus(nullptr);
  EXPECT_EQ(list.value(), 2);
  const std::vector<std::string> expected = {
      "select cb_species 0", "change cb_species 0", "select cb_species 1", "change cb_species 1",
      "select cb_species 2", "change cb_species 2", "select cb_species 2", "change cb_species 2"};
  EXPECT_EQ(events.calls, expected);
}

TEST_P(FltkViewTest, EscapeDoesNotAskToClose) {
  Fl::e_number = FL_SHORTCUT;
  Fl::e_keysym = FL_Escape;
  const_cast<Fl_Window&>(view.window()).do_callback();
  Fl::e_number = 0;
  Fl::e_keysym = 0;
  EXPECT_TRUE(events.calls.empty());
}

TEST_P(FltkViewTest, AControlTheWindowDoesNotHaveIsAProgrammingError) {
  EXPECT_THROW(view.SetCaption("la_nothing", "x"), std::logic_error);
  EXPECT_THROW(view.AddItem("Button1", "x"), std::logic_error);
  EXPECT_THROW(view.SetCaption("cb_species", "x"), std::logic_error);
  if (GetParam() == Edition::Lite) {
    EXPECT_THROW(view.SetCell(0, 0, "CM"), std::logic_error);
    EXPECT_THROW(view.SetGridSelection(GridRect{}), std::logic_error);
  }
}

TEST_P(FltkViewTest, CloseWindowHidesAShownWindow) {
  view.Show();
  EXPECT_TRUE(view.window().visible());
  view.CloseWindow();
  EXPECT_FALSE(view.window().visible());
}

// The definition of an edition with some settings changed; kept alive for the view.
struct AlteredDefinition {
  explicit AlteredDefinition(Edition edition) : form(window_definition(edition)) {}
  ControlDef& control(const std::string& name) {
    for (ControlDef& c : form.controls)
      if (c.name == name) return c;
    throw std::logic_error("no control " + name);
  }
  FormDef form;
};

TEST(FltkViewSettings, EveryTextTakesTheDefinitionsFontHeight) {
  int previous_status_width = 0;
  for (const int height : {11, 14}) {
    AlteredDefinition altered(Edition::Full);
    altered.form.font_height = height;
    RecordingEvents events;
    FltkView view(altered.form);
    view.bind(events);
    for (const char* name : {"la_fname", "Memo1", "Button1", "GroupBox1", "cb_species"})
      EXPECT_EQ(view.widget(name)->labelsize(), height) << name;
    auto& list = *static_cast<Fl_Choice*>(view.widget("cb_species"));
    view.AddItem("cb_species", "Canine");
    EXPECT_EQ(list.textsize(), height);
    EXPECT_EQ(list.menu()[0].labelsize(), height);
    view.SetCaption("la_fname", "Processing shot01.nef 2");
    EXPECT_GT(view.widget("la_fname")->w(), previous_status_width) << height;
    previous_status_width = view.widget("la_fname")->w();
  }
}

TEST(FltkViewSettings, OnlyAButtonWithAClickHandlerReportsClicks) {
  for (const bool handled : {true, false}) {
    AlteredDefinition altered(Edition::Lite);
    altered.control("Button1").has_click_handler = handled;
    RecordingEvents events;
    FltkView view(altered.form);
    view.bind(events);
    view.widget("Button1")->do_callback();
    EXPECT_EQ(events.calls.size(), handled ? 1u : 0u) << handled;
  }
}

class FltkViewGridTest : public FltkViewTest {};
INSTANTIATE_TEST_SUITE_P(Full, FltkViewGridTest, ::testing::Values(Edition::Full));

TEST_P(FltkViewGridTest, CellsAndSelectionAreKeptAndOutOfRangeCellsIgnored) {
  view.SetCell(0, 0, "CM");
  view.SetCell(0, 1, "10 ");
  view.SetCell(2, 7, "2.5");
  view.SetCell(2, 8, "beyond");  // rows past the grid's last are not shown
  view.SetCell(3, 1, "beyond");
  view.SetCell(1, 2, "\x80");
  EXPECT_EQ(grid().cell(0, 0), "CM");
  EXPECT_EQ(grid().cell(0, 1), "10 ");
  EXPECT_EQ(grid().cell(2, 7), "2.5");
  EXPECT_EQ(grid().cell(1, 2), "\xE2\x82\xAC");
  EXPECT_EQ(grid().rows(), 8);
  EXPECT_EQ(grid().cols(), 3);

  const GridRect row2{0, 2, 2, 2};
  view.SetGridSelection(row2);
  EXPECT_EQ(grid().selection(), row2);
  view.SetGridSelection(GridRect{});
  EXPECT_EQ(grid().selection(), GridRect{});
}

TEST_P(FltkViewGridTest, EveryCellIsWholeInsideTheDesignedSize) {
  // 37 and 18 pixels plus a grid line each; the last line falls outside: no scroll bars.
  int width = 0;
  for (int c = 0; c < grid().cols(); ++c) width += grid().col_width(c);
  int height = 0;
  for (int r = 0; r < grid().rows(); ++r) height += grid().row_height(r);
  EXPECT_EQ(width, 117 - 4);
  EXPECT_EQ(height, 155 - 4);
}

}  // namespace
}  // namespace lumenpoll
