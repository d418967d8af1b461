#pragma once

namespace lumenpoll {

// The caption of the task-bar button and of every error box.
inline constexpr const char* kApplicationTitle = "Orvend Image Processing";

}  // namespace lumenpoll
