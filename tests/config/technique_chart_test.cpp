#include "config/technique_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumenpoll {
namespace {

using Rows = std::vector<std::array<std::string, 3>>;

struct ChartCase {
  const char* name;
  std::string text;
  Rows rows;
  int highlight;
};

std::string groups(int count, int starred) {
  std::string text;
  for (int g = 1; g <= count; ++g) {
    const std::string n = std::to_string(g);
    text += g == starred ? "[*" : "[";
    text += n + " " + n + "0 " + n + "] ";
  }
  return text;
}

Rows numbered_rows(int count) {
  Rows rows;
  for (int g = 1; g <= count; ++g) {
    const std::string n = std::to_string(g);
    rows.push_back({n + " ", n + "0", n});
  }
  return rows;
}

TEST(TechniqueChart, ReadsGroupsIntoRows) {
  const ChartCase cases[] = {
      {"no chart", " ", {}, -1},
      {"empty", "", {}, -1},
      {"one group", "[10 60 5]", {{"10 ", "60", "5"}}, -1},
      {"groups without blank between",
       "[10 60 5][*12 65 6]",
       {{"10 ", "60", "5"}, {"12 ", "65", "6"}},
       2},
      {"three groups",
       "[8 60 4] [*10 62 5] [12 66 6]",
       {{"8 ", "60", "4"}, {"10 ", "62", "5"}, {"12 ", "66", "6"}},
       2},
      {"last star wins",
       "[*8 60 4] [*10 62 5] [12 66 6]",
       {{"8 ", "60", "4"}, {"10 ", "62", "5"}, {"12 ", "66", "6"}},
       2},
      {"blank after the star", "[* 8 60 4]", {{"8 ", "60", "4"}}, 1},
      {"values kept as written", " [4 55 2.5] ", {{"4 ", "55", "2.5"}}, -1},
      {"extra blanks", "[ 10  60  5 ]", {{"10 ", "60", "5"}}, -1},
      {"group without blanks fills only mAs", "[5]", {{"", "", "5"}}, -1},
      {"missing kVp", "[10 5]", {{"10 ", "", "5"}}, -1},
      {"missing ] takes the next group", "[8 60 4 [10 62 5]", {{"8 ", "60", "4 [10 62 5"}}, -1},
      {"no ] at all drops one character per pass",
       "[8 60 45",
       {{"8 ", "60", ""}, {"", "", ""}, {"", "", ""}},
       -1},
      {"more than seven groups", groups(9, 3), numbered_rows(7), 3},
      {"star on the seventh group", groups(9, 7), numbered_rows(7), 7},
      {"star beyond the grid is dropped", groups(9, 8), numbered_rows(7), -1},
  };
  for (const auto& c : cases) {
    const TechniqueChart chart = parse_technique_text(c.text);
    EXPECT_EQ(chart.rows, c.rows) << c.name;
    EXPECT_EQ(chart.highlight, c.highlight) << c.name;
  }
}

}  // namespace
}  // namespace lumenpoll
