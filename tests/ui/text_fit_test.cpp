#include "ui/text_fit.h"

#include <gtest/gtest.h>

namespace lumenpoll {
namespace {

// Six pixels a character, as a small fixed face; the ellipsis one character.
int six_each(std::string_view text) {
  return static_cast<int>(text.size()) * 6;
}

constexpr int kRoom = 6 * 22;  // "Processing " and ".nef 4" leave five for the name

TEST(FitText, ATextThatFitsIsShownWhole) {
  EXPECT_EQ(fit_text("Processing shot1.nef 4", kRoom, six_each), "Processing shot1.nef 4");
  EXPECT_EQ(fit_text("Waiting for Image File", kRoom, six_each), "Waiting for Image File");
  EXPECT_EQ(fit_text("", 0, six_each), "");
}

// The stage and the end of the name stay, whatever the name's length.
TEST(FitText, ALongNameLosesItsMiddleAndKeepsWhatSurroundsIt) {
  EXPECT_EQ(fit_text("Processing DSC_0001.nef 4", kRoom, six_each),
            "Processing DS\x85"
            "01.nef 4");
  const std::string forty(40, 'n');
  EXPECT_EQ(fit_text("Processing " + forty + "x.nef 3", kRoom, six_each),
            "Processing nn\x85nx.nef 3");
  const std::string long_name = "A" + std::string(238, 'n') + "Z";
  const std::string shown = fit_text("Processed " + long_name + ".dcm", 6 * 20, six_each);
  EXPECT_EQ(shown, "Processed Ann\x85nZ.dcm");
  EXPECT_LE(six_each(shown), 6 * 20);
}

// Room for less than the stage and an ellipsis: the whole text is shortened in its middle,
// and at the very least the ellipsis says that something is there.
TEST(FitText, TooLittleRoomForTheStageShortensTheWholeText) {
  EXPECT_EQ(fit_text("Processing DSC_0001.nef 4", 6 * 9, six_each),
            "Proc\x85"
            "ef 4");
  EXPECT_EQ(fit_text("Waiting for Image File", 6 * 5, six_each), "Wa\x85le");
  EXPECT_EQ(fit_text("Processing DSC_0001.nef 4", 2, six_each), "\x85");
}

}  // namespace
}  // namespace lumenpoll
