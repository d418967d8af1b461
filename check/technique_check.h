#pragma once

#include <string>
#include <vector>

namespace lumenpoll {

// Where the chart of a technique text differs from what its author wrote: groups that do
// not read as [thickness kVp mAs], groups past the grid's seventh row, several rows marked
// with "*". Empty when the chart shows the text as written, or when there is no chart.
std::vector<std::string> technique_problems(const std::string& technique_text);

// The chart as the grid shows it: a heading and one line per row, the highlighted row
// marked with ">"; nothing when the text gives no rows.
std::vector<std::string> chart_lines(const std::string& technique_text);

}  // namespace lumenpoll
