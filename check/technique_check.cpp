#include "check/technique_check.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "check/report_text.h"
#include "config/technique_chart.h"

namespace lumenpoll {

namespace {

// A value as a group holds it: not empty, and free of the group's own separators.
bool plain_value(const std::string& value) {
  return !value.empty() && value.find_first_of(" []*") == std::string::npos;
}

// The grid's thickness cell keeps the blank that ended the value.
bool reads_as_written(const std::array<std::string, 3>& cells) {
  const std::string& cm = cells[0];
  return cm.size() > 1 && cm.back() == ' ' && plain_value(cm.substr(0, cm.size() - 1)) &&
         plain_value(cells[1]) && plain_value(cells[2]);
}

std::string padded(const std::string& s, std::size_t width) {
  return s.size() >= width ? s + " " : s + std::string(width - s.size(), ' ');
}

}  // namespace

std::vector<std::string> technique_problems(const std::string& technique_text) {
  std::vector<std::string> problems;
  const std::string t = text::trim(technique_text);
  if (t.empty()) return problems;
  const TechniqueChart chart = parse_technique_text(t);
  for (std::size_t r = 0; r < chart.rows.size(); ++r) {
    const auto& cells = chart.rows[r];
    if (reads_as_written(cells)) continue;
    problems.push_back("technique text " + quoted(t) +
                       " does not read as [cm kVp mAs] groups: row " + std::to_string(r + 1) +
                       " shows CM " + quoted(cells[0]) + ", kVp " + quoted(cells[1]) + ", mAs " +
                       quoted(cells[2]));
    break;
  }
  const auto groups = std::count(t.begin(), t.end(), '[');
  if (groups > kChartRows) {
    problems.push_back("technique text has " + std::to_string(groups) +
                       " groups: the chart shows the first " + std::to_string(kChartRows));
  }
  if (std::count(t.begin(), t.end(), '*') > 1 && chart.highlight > 0) {
    problems.push_back("several rows are marked with \"*\": only row " +
                       std::to_string(chart.highlight) + " is highlighted");
  }
  return problems;
}

std::vector<std::string> chart_lines(const std::string& technique_text) {
  const TechniqueChart chart = parse_technique_text(technique_text);
  std::vector<std::string> lines;
  if (chart.rows.empty()) return lines;
  lines.push_back("  CM     kVp    mAs");
  for (std::size_t r = 0; r < chart.rows.size(); ++r) {
    const auto& cells = chart.rows[r];
    const bool lit = chart.highlight == static_cast<int>(r) + 1;
    std::string line = (lit ? "> " : "  ") + padded(cells[0], 7) + padded(cells[1], 7);
    line += lit ? padded(cells[2], 7) + "(highlighted)" : cells[2];
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line.empty() ? "  (a row of blanks)" : line);
  }
  return lines;
}

}  // namespace lumenpoll
