#pragma once

#include <string>

namespace lumenpoll {

// Names compare as on the station's file system: ASCII letters without regard to case.
bool same_name_ignoring_case(const std::string& a, const std::string& b);
// Listing order: by upper-cased name, ties (names differing only in case) by bytes.
bool name_listed_before(const std::string& a, const std::string& b);

}  // namespace lumenpoll
