// The technique text parser on arbitrary texts, and on charts written well, read back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "base/text.h"
#include "config/technique_chart.h"
#include "fuzz/check.h"

namespace lumenpoll::fuzz {
namespace {

bool is_blank_or_control(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool is_trimmed(const std::string& s) {
  return s.empty() || (!is_blank_or_control(s.front()) && !is_blank_or_control(s.back()));
}

void check_any_text(const std::string& technique_text, const std::string& padding) {
  const TechniqueChart chart = parse_technique_text(technique_text);
  check(chart.rows.size() <= kChartRows, "at most seven rows");
  check(chart.highlight == -1 ||
            (chart.highlight >= 1 && chart.highlight <= static_cast<int>(chart.rows.size())),
        "the highlight is on one of the rows");
  check(chart.rows.empty() == text::trim(technique_text).empty(), "a blank text has no rows");
  for (const auto& [thickness, kvp, mas] : chart.rows) {
    check(thickness.empty() || (thickness.find(' ') == thickness.size() - 1 &&
                                thickness.size() >= 2 && !is_blank_or_control(thickness[0])),
          "a thickness is a value and the one blank after it");
    check(is_trimmed(kvp) && kvp.find(' ') == std::string::npos, "a kVp is one word");
    check(is_trimmed(mas) && mas.find(']') == std::string::npos, "an mAs stops before its ]");
    for (const std::string& cell : {thickness, kvp, mas}) {
      check(technique_text.find(text::trim(cell)) != std::string::npos, "values shown as written");
    }
  }
  const TechniqueChart padded = parse_technique_text(padding + technique_text + padding);
  check(padded.rows == chart.rows && padded.highlight == chart.highlight,
        "blanks around the text change nothing");
}

// A value as a chart holds it: no blank or control character, no "]".
std::string value(FuzzedDataProvider& input) {
  std::string v;
  for (char c : input.ConsumeRandomLengthString(6)) {
    if (!is_blank_or_control(c) && c != ']') v += c;
  }
  return v.empty() ? "0" : v;
}

// Blanks that the reading trims away: none, or some blanks and tabs.
std::string extra_blanks(FuzzedDataProvider& input) {
  const int count = input.ConsumeIntegralInRange(0, 2);
  return std::string(count, input.ConsumeBool() ? ' ' : '\t');
}

// Groups written by the format's rules, with arbitrary values and spacing, read back.
void check_written_chart(FuzzedDataProvider& input) {
  std::string technique_text = extra_blanks(input);
  TechniqueChart expected;
  const int groups = input.ConsumeIntegralInRange(0, 9);
  for (int g = 1; g <= groups; ++g) {
    const bool starred = input.ConsumeBool();
    std::string thickness = value(input);
    if (thickness[0] == '*') thickness[0] = '1';  // a leading star would mark the row
    const std::string kvp = value(input);
    const std::string mas = value(input);
    technique_text += "[" + extra_blanks(input) + (starred ? "*" + extra_blanks(input) : "");
    technique_text += thickness + " " + extra_blanks(input) + kvp + " " + extra_blanks(input);
    technique_text += mas + extra_blanks(input) + "]" + (input.ConsumeBool() ? " " : "");
    if (g > kChartRows) continue;
    expected.rows.push_back({thickness + " ", kvp, mas});
    if (starred) expected.highlight = g;
  }
  const TechniqueChart chart = parse_technique_text(technique_text);
  check(chart.rows == expected.rows, "the groups written are the rows read");
  check(chart.highlight == expected.highlight, "the last star among the first seven rows wins");
}

}  // namespace
}  // namespace lumenpoll::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumenpoll::fuzz;
  FuzzedDataProvider input(data, size);
  std::string padding;
  for (char c : input.ConsumeRandomLengthString(3)) {
    padding += static_cast<char>(static_cast<unsigned char>(c) % 33);
  }
  const std::string technique_text = input.ConsumeRandomLengthString(512);
  check_any_text(technique_text, padding);
  check_written_chart(input);
  return 0;
}
