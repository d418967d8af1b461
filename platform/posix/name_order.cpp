#include "platform/posix/name_order.h"

#include "base/text.h"

namespace lumenpoll {

bool same_name_ignoring_case(const std::string& a, const std::string& b) {
  return a.size() == b.size() && text::upper_case(a) == text::upper_case(b);
}

bool name_listed_before(const std::string& a, const std::string& b) {
  const std::string upper_a = text::upper_case(a);
  const std::string upper_b = text::upper_case(b);
  if (upper_a != upper_b) return upper_a < upper_b;
  return a < b;
}

}  // namespace lumenpoll
