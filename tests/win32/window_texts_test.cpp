// The window's texts as the operator sees them: measured with the font each control really
// has, on its own DC, so a face the system put in place of the one asked for shows up as
// the texts that no longer fit. Needs an X server under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_view.h"
#include "ui/window_definition.h"

namespace lumenpoll {
namespace {

struct DrawnText {
  std::string text;
  std::string face;
  int em_height = 0;  // the cell less its internal leading: what a negative height asks for
  int width = 0;
};

DrawnText drawn_text(HWND control) {
  DrawnText drawn;
  char text[1100] = {};
  ::GetWindowTextA(control, text, sizeof text);
  drawn.text = text;
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
  const HDC dc = ::GetDC(control);
  {
    const SelectedFont selected(dc, font);
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, sizeof face, face);
    drawn.face = face;
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    drawn.em_height = metrics.tmHeight - metrics.tmInternalLeading;
    SIZE size{};
    ::GetTextExtentPoint32A(dc, drawn.text.data(), static_cast<int>(drawn.text.size()), &size);
    drawn.width = size.cx;
  }
  ::ReleaseDC(control, dc);
  return drawn;
}

// The control's rectangle in its parent's client area.
RECT placed(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Every label shows its text whole in the window's own font: its window holds the text,
// and neither runs into the next control on its right nor over its panel's or group box's
// frame; the memo's text fits the memo's text area.
void expect_every_text_whole(const Win32View& view, const FormDef& form) {
  for (const ControlDef& def : form.controls) {
    if (def.kind != ControlKind::Label && def.kind != ControlKind::Memo) continue;
    const HWND control = view.control_handle(def.name);
    const DrawnText drawn = drawn_text(control);
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

// The status texts of one image's cycle, for an eight-character name of lower-case letters
// and digits such as the station's own (shot01). "Processing " and ".nef 4" leave 46 of
// la_fname's 128 pixels for the name in 8-point MS Sans Serif: eight capitals or digits do
// not fit ("DSC_0001" takes 52, "00000000" 48).
constexpr const char* kImage = "shot0001";

class WindowTexts : public ::testing::TestWithParam<Edition> {
 protected:
  const FormDef& form = window_definition(GetParam());
  Win32View view{form, "Orvend Image Processing"};  // bound to no events: none are made
};

TEST_P(WindowTexts, EveryTextIsWholeAtStartAndThroughTheCycle) {
  {
    SCOPED_TRACE("at start");
    expect_every_text_whole(view, form);
  }
  const std::string image = kImage;
  for (const char* stage : {"1", "2", "3", "4"}) {
    view.SetCaption("la_fname", "Processing " + image + ".nef " + stage);
    SCOPED_TRACE(std::string("stage ") + stage);
    expect_every_text_whole(view, form);
  }
  view.SetCaption("la_fname", "Waiting for Image File");
  view.SetCaption("la_last", "Processed " + image + ".dcm");
  SCOPED_TRACE("image done");
  expect_every_text_whole(view, form);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowTexts, ::testing::Values(Edition::Full, Edition::Lite),
                         [](const auto& info) {
                           return std::string(info.param == Edition::Full ? "Full" : "Lite");
                         });

}  // namespace
}  // namespace lumenpoll
