#pragma once

#include <array>
#include <string>
#include <vector>

namespace lumenpoll {

inline constexpr int kChartRows = 7;  // grid rows 1 to 7 below the heading

// A technique text read into chart rows: thickness (with its trailing blank), kVp, mAs.
struct TechniqueChart {
  std::vector<std::array<std::string, 3>> rows;  // rows[0] is grid row 1
  int highlight = -1;                            // grid row, or -1 for none
};

// Reads a technique text such as "[8 60 4] [*10 62 5]". Rows past the seventh are
// dropped, with any highlight they carry, since the grid has no room for them.
TechniqueChart parse_technique_text(const std::string& technique_text);

}  // namespace lumenpoll
