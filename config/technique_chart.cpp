#include "config/technique_chart.h"

#include "base/text.h"

namespace lumenpoll {

namespace {

// Everything after the first n characters, trimmed.
std::string rest_after(const std::string& s, int n) {
  return text::trim(text::right(s, static_cast<int>(s.size()) - n));
}

}  // namespace

TechniqueChart parse_technique_text(const std::string& technique_text) {
  TechniqueChart chart;
  std::string t = text::trim(technique_text);
  // Passes past the seventh would fill rows the grid does not have; they are not read.
  for (int row = 1; !t.empty() && row <= kChartRows; ++row) {
    std::array<std::string, 3> cells;
    t = rest_after(t, 1);  // the group's "["
    if (!t.empty() && t[0] == '*') {
      chart.highlight = row;
      t = rest_after(t, 1);
    }
    int p = text::pos(" ", t);
    cells[0] = text::left(t, p);  // the thickness keeps its trailing blank
    t = rest_after(t, p);
    p = text::pos(" ", t);
    cells[1] = text::trim(text::left(t, p));
    t = rest_after(t, p);
    p = text::pos("]", t);
    cells[2] = text::trim(text::left(t, p - 1));
    t = rest_after(t, p);
    chart.rows.push_back(std::move(cells));
  }
  return chart;
}

}  // namespace lumenpoll
