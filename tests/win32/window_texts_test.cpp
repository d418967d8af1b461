// The window's texts as the operator sees them: measured with the font each control really
// has, on its own DC, so a face the system put in place of the one asked for shows up as
// the texts that no longer fit. Needs an X server under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "base/operator_texts.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_view.h"
#include "ui/form1.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

struct DrawnText {
  std::string text;
  std::string face;
  int em_height = 0;  // the cell less its internal leading: what a negative height asks for
  int width = 0;
};

// text as drawn in control's font on the control's own DC.
DrawnText drawn_text(HWND control, const std::string& text) {
  DrawnText drawn;
  drawn.text = text;
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
  const WindowDC dc(control);
  const SelectedFont selected(dc.get(), font);
  char face[LF_FACESIZE] = {};
  ::GetTextFaceA(dc.get(), sizeof face, face);
  drawn.face = face;
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc.get(), &metrics);
  drawn.em_height = metrics.tmHeight - metrics.tmInternalLeading;
  SIZE size{};
  ::GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  drawn.width = size.cx;
  return drawn;
}

std::string window_text(HWND control) {
  char text[1100] = {};
  ::GetWindowTextA(control, text, sizeof text);
  return text;
}

// The control's rectangle in its parent's client area.
RECT placed(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Every label shows its text in the window's own font: its window holds what it shows, and
// neither runs into the next control on its right nor over its panel's or group box's
// frame; the memo's text fits the memo's text area.
void expect_every_text_in_its_room(const Win32View& view, const FormDef& form) {
  for (const ControlDef& def : form.controls) {
    if (def.kind != ControlKind::Label && def.kind != ControlKind::Memo) continue;
    const HWND control = view.control_handle(def.name);
    const DrawnText drawn = drawn_text(
        control, def.kind == ControlKind::Label ? view.shown_text(def.name) : window_text(control));
    SCOPED_TRACE(def.name + " \"" + drawn.text + "\" in " + drawn.face + ", " +
                 std::to_string(drawn.width) + " px");
    EXPECT_EQ(drawn.face, form.font_name);
    EXPECT_EQ(drawn.em_height, form.font_height);
    const RECT rect = placed(control);
    if (def.kind == ControlKind::Memo) {
      RECT area{};
      ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
      EXPECT_LE(drawn.width, area.right - area.left);
      continue;
    }
    EXPECT_LE(drawn.width, rect.right - rect.left) << "the label's window cuts its text";
    const LONG text_end = std::max<LONG>(rect.right, rect.left + drawn.width);
    const int room_end = def.left + form.text_room(def);
    EXPECT_LE(text_end, room_end) << "the text or its window runs past its room";
  }
}

class WindowTexts : public ::testing::TestWithParam<Edition> {
 protected:
  const FormDef& form = window_definition(GetParam());
  Win32View view{form, "Orvend Image Processing"};  // bound to no events: none are made
};

// The status texts of one image's cycle: the station's own style of name fits whole; a
// camera's own (DSC_0001) and longer ones are shown shortened in the name's middle, the
// stage and the name's end still to be read, while the control keeps its whole text.
TEST_P(WindowTexts, EveryTextStaysInItsRoomAtStartAndThroughTheCycle) {
  {
    SCOPED_TRACE("at start");
    expect_every_text_in_its_room(view, form);
  }
  for (const std::string& image : {std::string("shot0001"), std::string("DSC_0001"),
                                   std::string(39, 'n') + "1", std::string(239, 'n') + "1"}) {
    SCOPED_TRACE(image);
    for (const char* stage : {"1", "2", "3", "4"}) {
      const std::string status = "Processing " + image + ".nef " + stage;
      view.SetCaption("la_fname", status);
      SCOPED_TRACE(std::string("stage ") + stage);
      expect_every_text_in_its_room(view, form);
      EXPECT_EQ(window_text(view.control_handle("la_fname")), status);
      const std::string shown = view.shown_text("la_fname");
      EXPECT_TRUE(shown.starts_with("Processing ")) << shown;
      EXPECT_TRUE(shown.ends_with("1.nef " + std::string(stage))) << shown;
      EXPECT_EQ(shown == status, image == "shot0001") << shown;
    }
    view.SetCaption("la_fname", "Waiting for Image File");
    view.SetCaption("la_last", "Processed " + image + ".dcm");
    SCOPED_TRACE("image done");
    expect_every_text_in_its_room(view, form);
    EXPECT_TRUE(view.shown_text("la_last").ends_with("1.dcm"));
  }
  view.SetCaption("la_fname", operator_texts::kCycleElsewhere);
  EXPECT_EQ(view.shown_text("la_fname"), operator_texts::kCycleElsewhere);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowTexts, ::testing::Values(Edition::Full, Edition::Lite),
                         [](const auto& info) {
                           return std::string(info.param == Edition::Full ? "Full" : "Lite");
                         });

}  // namespace
}  // namespace lumenpoll
