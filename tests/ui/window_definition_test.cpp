#include "ui/window_definition.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace lumenpoll {
namespace {

TEST(WindowDefinition, EveryControlHasAKnownParentAndFitsInIt) {
  for (Edition edition : {Edition::Full, Edition::Lite}) {
    const FormDef& form = window_definition(edition);
    std::set<std::string> names;
    for (const ControlDef& c : form.controls) {
      SCOPED_TRACE(c.name);
      EXPECT_TRUE(names.insert(c.name).second) << "duplicate name";
      int width = form.client_width;
      int height = form.client_height;
      if (!c.parent.empty()) {
        const ControlDef* parent = form.find(c.parent);
        ASSERT_NE(parent, nullptr);
        width = parent->width;
        height = parent->height;
      }
      EXPECT_LE(c.left + c.width, width);
      EXPECT_LE(c.top + c.height, height);
    }
  }
}

TEST(WindowDefinition, LiteDropsTheChartColumnAndCentring) {
  const FormDef& full = window_definition(Edition::Full);
  const FormDef& lite = window_definition(Edition::Lite);
  EXPECT_EQ(full.caption, "Velmora Imaging Processing");
  EXPECT_EQ(lite.caption, full.caption);
  EXPECT_EQ(full.client_width, 456);
  EXPECT_EQ(lite.client_width, 304);
  EXPECT_EQ(full.client_height, 209);
  EXPECT_EQ(lite.client_height, 209);
  EXPECT_NE(full.find("sg_tech"), nullptr);
  EXPECT_EQ(lite.find("sg_tech"), nullptr);
  EXPECT_EQ(lite.find("GroupBox2"), nullptr);
  for (const char* name : {"Label4", "Label5"}) {
    EXPECT_FALSE(full.find(name)->auto_size);
    EXPECT_EQ(full.find(name)->align, TextAlign::Center);
    EXPECT_TRUE(lite.find(name)->auto_size);
    EXPECT_EQ(lite.find(name)->left, full.find(name)->left);
  }
}

// The views' tests measure each label's text against this room, so a room that ignored a
// neighbour or a frame would let a cut text pass.
TEST(WindowDefinition, ALabelsTextRoomEndsAtTheNextControlOrItsParentsFrame) {
  const FormDef& full = window_definition(Edition::Full);
  auto room = [](const FormDef& form, const char* name) {
    return form.text_room(*form.find(name));
  };
  EXPECT_EQ(room(full, "Label2"), 80);     // la_last
  EXPECT_EQ(room(full, "la_fname"), 128);  // Panel3's bevel
  EXPECT_EQ(room(full, "Label4"), 113);    // its own width, though Label5 is further off
  const FormDef& lite = window_definition(Edition::Lite);
  EXPECT_EQ(room(lite, "Label4"), 128);            // Label5, whose rows it shares
  EXPECT_EQ(room(lite, "Label5"), 289 - 2 - 152);  // GroupBox1's etched edge
}

// Both toolkits move the focus in creation order, so this order is the tab order.
TEST(WindowDefinition, ChildrenComeInTabOrderWithTheUnfocusableLast) {
  const FormDef& full = window_definition(Edition::Full);
  auto names = [&](const std::string& parent) {
    std::vector<std::string> result;
    for (const ControlDef* c : full.children_in_tab_order(parent)) result.push_back(c->name);
    return result;
  };
  EXPECT_EQ(names(""), (std::vector<std::string>{"Panel1", "Memo1", "Button1", "Panel3",
                                                 "GroupBox1", "GroupBox2"}));
  EXPECT_EQ(names("GroupBox1"),
            (std::vector<std::string>{"cb_species", "cb_region", "Label4", "Label5"}));
  EXPECT_EQ(names("Panel3"), (std::vector<std::string>{"Label1", "la_fname", "Label2", "la_last"}));
}

}  // namespace
}  // namespace lumenpoll
