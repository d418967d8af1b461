#pragma once

namespace lumenpoll {

// Where a group box's caption starts, from the box's left edge, over its frame.
inline constexpr int kGroupCaptionLeft = 8;

}  // namespace lumenpoll
