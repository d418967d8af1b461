#include "check/report_text.h"

namespace lumenpoll {

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "[" + std::to_string(n).
std::string list_position(int index) {
  std::string text = "[";
  text += std::to_string(index);
  text += ']';
  return text;
}

}  // namespace lumenpoll
