#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lumenpoll {

// The positions of names in the station's listing order (text::name_listed_before): the
// i-th name listed is names[order[i]]. Fast for folders of many thousand entries.
std::vector<std::size_t> listing_order(const std::vector<std::string_view>& names);

}  // namespace lumenpoll
